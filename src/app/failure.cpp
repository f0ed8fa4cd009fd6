#include "failure.h"

#include "officeloader.h"
#include "prompts.h"
#include "recordstore.h"
#include "samefile.h"

#include <QCoreApplication>
#include <QDir>

Q_LOGGING_CATEGORY(lcFailure, "wobzel2011.failure")

void tellFailure(Prompts &prompts, const QString &text, const QString &title, const QString &reason,
                 MessageIcon icon)
{
    qCWarning(lcFailure).noquote() << text << reason;
    prompts.message(text, title, icon, reason);
}

namespace {

// The program's own files, each with what it is: those in its folder (the database with the
// files SQLite keeps beside it, which it takes for its own and deletes), and the executable
// that runs, wherever it lies.
QList<QPair<QString, QString>> ownFiles(const QString &programFolder)
{
    const QDir folder(programFolder);
    const QString database = folder.filePath(RecordStore::databaseFileName());
    const QString program = QStringLiteral("程序文件");
    return {{database, QStringLiteral("数据库文件")},
            {database + QStringLiteral("-journal"), QStringLiteral("数据库日志文件")},
            {database + QStringLiteral("-wal"), QStringLiteral("数据库预写日志文件")},
            {database + QStringLiteral("-shm"), QStringLiteral("数据库共享内存文件")},
            {folder.filePath(OfficeLoader::libraryFileName()), QStringLiteral("办公软件组件")},
            {folder.filePath(QStringLiteral("wobzel2011")), program},
            {QCoreApplication::applicationFilePath(), program}};
}

} // namespace

QStringList programFiles(const QString &programFolder)
{
    QStringList files;
    for (const auto &[file, what] : ownFiles(programFolder))
        files << file;
    return files;
}

bool mayWriteOver(const QString &path, const QString &programFolder, QString *reason)
{
    for (const auto &[file, what] : ownFiles(programFolder)) {
        if (isSameFile(path, file)) {
            *reason = QStringLiteral("%1是本程序自己的%2。").arg(path, what);
            return false;
        }
    }
    return true;
}
