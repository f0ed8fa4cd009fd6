#pragma once

#include <QString>

// True when `path` names `file`, however it is spelled: relative to the current directory,
// with "." or doubled separators, through a symbolic link, or as another hard link of the
// same file. An existing file is recognised by its device and inode, a path that does not
// lead to one by its canonical form. The commands that write a file the user names refuse
// such a path to one of the program's own files and write nothing.
bool isSameFile(const QString &path, const QString &file);
