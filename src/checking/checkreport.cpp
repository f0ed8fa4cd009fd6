#include "checkreport.h"

#include "flushfully.h"
#include "recordstore.h"

#include <QSaveFile>

namespace CheckReport {

namespace {
const QString kLineEnd = QStringLiteral("\r\n");
}

QString allRecordsHeading()
{
    return QStringLiteral(" 审核结果") + kLineEnd;
}

QString recordHeading(const QString &projectNumber)
{
    return QStringLiteral("项目") + projectNumber + QStringLiteral(" 审核结果") + kLineEnd;
}

QString nothingToCheckLine()
{
    return QStringLiteral("没有可审核的项目记录。") + kLineEnd;
}

void runAllRules(const SurveyRecord &record, CheckState &state)
{
    CheckCoverAndTable1(record, state);
    CheckTable2(record, state);
    CheckTable3(record, state);
    CheckTable4(record, state);
}

WalkResult checkAllRecords(RecordStore &store, CheckState &state, QString &report)
{
    state.clear();
    report = allRecordsHeading();
    if (store.recordCount() == 0) {
        report += nothingToCheckLine();
        return WalkResult::NothingToCheck;
    }
    RecordStore::Walk walk(store);
    if (!store.moveFirst())
        return WalkResult::MoveFailed;
    const int count = store.recordCount();
    for (int i = 0; i < count; ++i) {
        runAllRules(store.current(), state);
        report += state.CheckMessage;
        state.CheckMessage.clear();
        if (!store.moveNext())
            return WalkResult::MoveFailed;
    }
    return store.moveFirst() ? WalkResult::Done : WalkResult::MoveFailed;
}

QString checkCurrentRecord(const RecordStore &store, const QString &shownNumber, CheckState &state)
{
    QString report = recordHeading(shownNumber);
    state.clear();
    if (!store.hasCurrent())
        return report + nothingToCheckLine();
    runAllRules(store.current(), state);
    if (state.CheckError == 1) {
        state.CheckError = 0;
        report += state.CheckMessage;
    }
    return report;
}

QByteArray fileBytes(const QString &reportText)
{
    QString text = reportText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', kLineEnd);
    return (text + kLineEnd).toUtf8();
}

bool save(const QString &path, const QString &reportText, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = fileBytes(reportText);
    // QSaveFile puts its file in place even when writing out its last buffered bytes fails
    // (a full disk): those are written out first.
    if (file.write(bytes) != bytes.size() || !flushFully(file) || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace CheckReport
