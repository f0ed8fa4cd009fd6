#pragma once

#include <QDir>
#include <QString>

// File names made from a project number: a project's data file and its report document.
namespace ProjectFileName {

// The longest file name the folder's file system takes, in bytes.
qsizetype longestIn(const QDir &folder);

// True when `number` followed by `suffix` can name a file of its own in a folder whose
// longest file name is `longestName` bytes: the number is not empty, holds no "/", "\\", ".."
// or control character (line breaks among them), is not only blanks and dots, and is short
// enough, with room for the temporary name the file is written under first.
bool isUsable(const QString &number, const QString &suffix, qsizetype longestName);

} // namespace ProjectFileName
