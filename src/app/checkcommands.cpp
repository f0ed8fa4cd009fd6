#include "checkcommands.h"

#include "captions.h"
#include "checkreport.h"
#include "controltable.h"
#include "excelresidentwarning.h"
#include "failure.h"
#include "officesuite.h"
#include "planlist.h"
#include "prompts.h"
#include "recordstore.h"
#include "spreadsheet.h"
#include "waitcursor.h"

#include <QDir>
#include <QPlainTextEdit>

namespace {

const ControlEntry<CheckCommands> kControls[] = {
    {"CommandCheck", &CheckCommands::CommandCheck_Click},
    {"CommandCheckItem", &CheckCommands::CommandCheckItem_Click},
    {"CommandCheckClear", &CheckCommands::CommandCheckClear_Click},
    {"CommandSaveCheckReport", &CheckCommands::CommandSaveCheckReport_Click},
    {"CommandItem", &CheckCommands::CommandItem_Click},
};

// The office itself failed (it could not start, or stopped answering or ended during a
// call), as opposed to the workbook it was to read.
bool officeFailed(const OfficeStatus &status)
{
    return status.number() == OfficeStatus::CannotStart ||
           status.number() == OfficeStatus::OfficeStopped;
}

} // namespace

CheckCommands::CheckCommands(RecordStore &store, CheckState &check, Prompts &prompts,
                             std::function<OfficeSuite &()> office, QPlainTextEdit &report,
                             const QString &programFolder, QObject *parent)
    : QObject(parent), m_store(store), m_check(check), m_prompts(prompts),
      m_office(std::move(office)), m_report(report), m_folder(programFolder)
{
}

void CheckCommands::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
}

QString CheckCommands::reportText() const
{
    return m_report.toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void CheckCommands::setReport(const QString &text)
{
    m_report.setPlainText(text);
}

void CheckCommands::CommandCheck_Click()
{
    QString report;
    const CheckReport::WalkResult result = CheckReport::checkAllRecords(m_store, m_check, report);
    setReport(report);
    if (result == CheckReport::WalkResult::MoveFailed) {
        tellFailure(m_prompts, QStringLiteral("数据审核失败！请检查数据或重新启动系统后重试。"),
                    Captions::messageTitle(), m_store.lastError());
        return;
    }
    m_prompts.message(QStringLiteral("审核完成，请在数据审核结果框内查看结果。"),
                      Captions::completionTitle(), MessageIcon::Exclamation);
}

void CheckCommands::CommandCheckItem_Click()
{
    setReport(CheckReport::checkCurrentRecord(m_store, m_store.current().shown(u"JB02"), m_check));
}

void CheckCommands::CommandCheckClear_Click()
{
    m_report.clear();
}

void CheckCommands::CommandSaveCheckReport_Click()
{
    const QString title = QStringLiteral("保存审核结果");
    FileDialogSetup setup;
    setup.filter = QStringLiteral("Txt (*.Txt)");
    setup.title = title;
    const QString name = m_prompts.saveFileName(setup);
    if (name.isEmpty()) {
        m_prompts.askYesNo(QStringLiteral("请指定文件名！！"), title);
        return;
    }
    QString reason;
    if (!mayWriteOver(name, m_folder, &reason) || !CheckReport::save(name, reportText(), &reason)) {
        tellFailure(m_prompts, QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"),
                    Captions::shortTitle(), reason);
        return;
    }
    m_prompts.message(QStringLiteral("审核结果已保存在") + name + QStringLiteral("中。"),
                      Captions::shortTitle(), MessageIcon::Information);
}

// The plan list is read in one go (the hourglass shows meanwhile); a list that cannot be
// read leaves the report as it was.
void CheckCommands::CommandItem_Click()
{
    const QString path = QDir(m_folder).filePath(PlanList::fileName());
    QVector<PlanReconciliation::PlanRow> plan;
    OfficeStatus status;
    {
        WaitCursor wait;
        const std::unique_ptr<Spreadsheet> sheet = m_office().createSpreadsheet();
        status = PlanList::read(*sheet, path, &plan);
    }
    if (!status.ok()) {
        if (status.number() == OfficeStatus::PermissionDenied)
            ExcelResidentWarning(m_prompts);
        const QString text =
            officeFailed(status)
                ? QStringLiteral("办公软件无法使用！项目上报情况核对未完成。")
                : QStringLiteral("读取") + path + QStringLiteral("失败！项目上报情况核对未完成。");
        tellFailure(m_prompts, text, Captions::completionTitle(), status.text());
        return;
    }
    QVector<PlanReconciliation::ReportedProject> records;
    records.reserve(m_store.recordCount());
    for (int i = 0; i < m_store.recordCount(); ++i)
        records << PlanReconciliation::ReportedProject::from(m_store.row(i));
    setReport(PlanReconciliation::report(plan, records));
    if (m_store.recordCount() > 0)
        m_store.moveFirst();
    m_prompts.message(QStringLiteral("项目上报情况核对完成，请在数据审核结果框内查看结果。"),
                      Captions::completionTitle(), MessageIcon::Exclamation);
}
