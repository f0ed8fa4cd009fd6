#include "projectreport.h"

#include "officestatus.h"
#include "projectfilename.h"
#include "recordstore.h"
#include "reportbookmarks.h"
#include "wordapp.h"

#include <QDir>
#include <QFileInfo>

namespace ProjectReport {

namespace {

Outcome failed(const QString &reason)
{
    return {Outcome::Kind::Failed, reason};
}

Outcome failed(const OfficeStatus &status)
{
    if (status.number() == OfficeStatus::DocumentNotFound)
        return {Outcome::Kind::TemplateMissing, status.text()};
    return failed(status.text());
}

Outcome generate(WordApp &word, const QString &folder, const ReportBookmarks::ShownText &shown)
{
    const QString number = shown(QStringLiteral("JB02"));
    const QString target = reportPath(folder, number);
    if (target.isEmpty())
        return failed(QStringLiteral("项目编号“%1”不能用作报表文件名。").arg(number));
    OfficeStatus status = word.addDocument(templatePath(folder));
    if (!status.ok())
        return failed(status);
    status = word.typeAtBookmarks(ReportBookmarks::texts(shown));
    if (status.ok())
        status = word.saveAs(target);
    if (!status.ok()) {
        word.closeDocument();
        return failed(status);
    }
    status = word.closeDocument();
    if (status.ok())
        status = word.quit();
    return status.ok() ? Outcome() : failed(status);
}

} // namespace

QString templateFileName()
{
    return QStringLiteral("2011模板.doc");
}

QString templatePath(const QString &folder)
{
    return QDir(folder).filePath(templateFileName());
}

QString reportPath(const QString &folder, const QString &number)
{
    const QString suffix = QStringLiteral(".doc");
    if (!ProjectFileName::isUsable(number, suffix, ProjectFileName::longestIn(QDir(folder))))
        return {};
    const QString path = QDir(folder).filePath(number + suffix);
    return path == templatePath(folder) ? QString() : path;
}

TemplateState probeTemplate(const QString &folder, QString *reason)
{
    const QString path = templatePath(folder);
    const QFileInfo info(path); // stat only: nothing here opens the file
    if (!info.exists())
        return TemplateState::Missing;
    QString why;
    if (!info.isFile())
        why = QStringLiteral("%1不是普通文件。");
    else if (!info.isReadable())
        why = QStringLiteral("%1无法读取。");
    else
        return TemplateState::Present;
    if (reason)
        *reason = why.arg(QDir::toNativeSeparators(path));
    return TemplateState::Unusable;
}

Outcome GenerateProjectReport(WordApp &word, const QString &folder, const SurveyRecord &record)
{
    return generate(word, folder, [&record](const QString &code) { return record.shown(code); });
}

Outcome GenerateProjectReport(WordApp &word, const QString &folder, const RecordStore &store)
{
    return generate(word, folder, [&store](const QString &code) { return store.shownText(code); });
}

QString failureText(const Outcome &outcome)
{
    if (outcome.kind == Outcome::Kind::TemplateMissing)
        return QStringLiteral("报表生成失败！请将报表模板文件“xxxx模板.Doc”复制到安装目录。");
    return QStringLiteral("报表生成失败！请关闭所有Word文件，重新启动系统后重试。");
}

QString failureTitle()
{
    return QStringLiteral("澜梧省科技计划项目执行情况年度调查");
}

WalkResult generateAll(RecordStore &store, WordApp &word, const QString &folder,
                       const std::function<void(const Outcome &)> &failed)
{
    WalkResult result;
    RecordStore::Walk walk(store);
    result.count = store.recordCount();
    if (!store.moveFirst()) { // the pending edit could not be stored
        result.stopReason = store.lastError();
        return result;
    }
    for (int i = 0; i < result.count; ++i) {
        const Outcome outcome = GenerateProjectReport(word, folder, store);
        if (outcome.made())
            ++result.made;
        else if (failed)
            failed(outcome);
        if (!store.moveNext()) { // the row could not be stored: the rest stay not made
            result.stopReason = store.lastError();
            break;
        }
    }
    return result;
}

} // namespace ProjectReport
