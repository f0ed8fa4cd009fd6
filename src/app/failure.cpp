#include "failure.h"

#include "programdatabase.h"
#include "prompts.h"

Q_LOGGING_CATEGORY(lcFailure, "wobzel2011.failure")

void tellFailure(Prompts &prompts, const QString &text, const QString &title, const QString &reason,
                 MessageIcon icon)
{
    qCWarning(lcFailure).noquote() << text << reason;
    prompts.message(text, title, icon, reason);
}

bool mayWriteOver(const QString &path, const QString &programFolder, QString *reason)
{
    if (!isProgramDatabase(path, programFolder))
        return true;
    *reason = QStringLiteral("%1是本程序自己的数据库文件。").arg(path);
    return false;
}
