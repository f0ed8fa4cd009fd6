#pragma once

#include <QString>

// True when `path` names the program's own database file in `programFolder`, however it is
// spelled: relative to the current directory, with "." or doubled separators, through a
// symbolic link, or as another hard link of the same file. An existing file is recognised
// by its device and inode, a path that does not lead to one by its canonical form. Every
// command that writes a file the user names refuses such a path and writes nothing.
bool isProgramDatabase(const QString &path, const QString &programFolder);
