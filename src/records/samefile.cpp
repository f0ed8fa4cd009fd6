#include "samefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

bool statFile(const QString &path, struct stat *info)
{
    return ::stat(QFile::encodeName(path).constData(), info) == 0;
}

// The path a file would have once its symbolic links and "." and ".." are resolved; for a
// name that does not exist yet, its resolved folder and the name.
QString resolvedPath(const QString &path, int linksLeft = 40)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    if (info.isSymLink() && linksLeft > 0) // a link whose target does not exist (yet)
        return resolvedPath(info.symLinkTarget(), linksLeft - 1);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return QDir::cleanPath(info.absoluteFilePath());
    return QDir(folder).filePath(info.fileName());
}

} // namespace

bool isSameFile(const QString &path, const QString &file)
{
    if (path.isEmpty())
        return false;
    struct stat target;
    struct stat own;
    const bool targetExists = statFile(path, &target);
    const bool ownExists = statFile(file, &own);
    if (targetExists && ownExists)
        return target.st_dev == own.st_dev && target.st_ino == own.st_ino;
    if (targetExists != ownExists)
        return false; // one file is there and the other not
    return resolvedPath(path) == resolvedPath(file);
}
