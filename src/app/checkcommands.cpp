#include "checkcommands.h"

#include "checkreport.h"
#include "excelresidentwarning.h"
#include "fieldbinder.h"
#include "formmain.h"
#include "officesuite.h"
#include "planlist.h"
#include "programdatabase.h"
#include "prompts.h"
#include "recordstore.h"
#include "spreadsheet.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>

CheckCommands::CheckCommands(FormMain &form) : m_form(form) {}

void CheckCommands::connectControls()
{
    m_form.onClick("CommandCheck", [this] { CommandCheck_Click(); });
    m_form.onClick("CommandCheckItem", [this] { CommandCheckItem_Click(); });
    m_form.onClick("CommandCheckClear", [this] { CommandCheckClear_Click(); });
    m_form.onClick("CommandSaveCheckReport", [this] { CommandSaveCheckReport_Click(); });
    m_form.onClick("CommandItem", [this] { CommandItem_Click(); });
}

QString CheckCommands::reportText() const
{
    return m_form.checkReport()->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void CheckCommands::setReport(const QString &text)
{
    m_form.checkReport()->setPlainText(text);
}

void CheckCommands::CommandCheck_Click()
{
    QString report;
    const CheckReport::WalkResult result =
        CheckReport::checkAllRecords(m_form.store(), m_form.checkState(), report);
    setReport(report);
    if (result == CheckReport::WalkResult::MoveFailed) {
        m_form.prompts().message(QStringLiteral("数据审核失败！请检查数据或重新启动系统后重试。"),
                                 FormMain::messageTitle(), MessageIcon::Information);
        return;
    }
    m_form.prompts().message(QStringLiteral("审核完成，请在数据审核结果框内查看结果。"),
                             completionTitle(), MessageIcon::Exclamation);
}

void CheckCommands::CommandCheckItem_Click()
{
    const QString number = m_form.binder().text(QStringLiteral("TextJB02"));
    setReport(CheckReport::checkCurrentRecord(m_form.store(), number, m_form.checkState()));
}

void CheckCommands::CommandCheckClear_Click()
{
    m_form.checkReport()->clear();
}

void CheckCommands::CommandSaveCheckReport_Click()
{
    const QString title = QStringLiteral("保存审核结果");
    FileDialogSetup setup;
    setup.filter = QStringLiteral("Txt (*.Txt)");
    setup.title = title;
    const QString name = m_form.prompts().saveFileName(setup);
    if (name.isEmpty()) {
        m_form.prompts().askYesNo(QStringLiteral("请指定文件名！！"), title);
        return;
    }
    if (isProgramDatabase(name, m_form.programFolder()) || !CheckReport::save(name, reportText())) {
        m_form.prompts().message(QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"),
                                 FormMain::shortTitle(), MessageIcon::Information);
        return;
    }
    m_form.prompts().message(QStringLiteral("审核结果已保存在") + name + QStringLiteral("中。"),
                             FormMain::shortTitle(), MessageIcon::Information);
}

void CheckCommands::CommandItem_Click()
{
    const QString path = QDir(m_form.programFolder()).filePath(PlanList::fileName());
    QVector<PlanReconciliation::PlanRow> plan;
    OfficeStatus status;
    {
        const std::unique_ptr<Spreadsheet> sheet = m_form.office().createSpreadsheet();
        status = PlanList::read(*sheet, path, &plan);
    }
    if (!status.ok()) {
        if (status.number() == OfficeStatus::PermissionDenied)
            ExcelResidentWarning(m_form.prompts());
        m_form.prompts().message(QStringLiteral("读取") + path +
                                     QStringLiteral("失败！项目上报情况核对未完成。"),
                                 completionTitle(), MessageIcon::Information);
        return;
    }
    RecordStore &store = m_form.store();
    QVector<PlanReconciliation::ReportedProject> records;
    records.reserve(store.recordCount());
    for (int i = 0; i < store.recordCount(); ++i)
        records << PlanReconciliation::ReportedProject::from(store.row(i));
    setReport(PlanReconciliation::report(plan, records));
    if (store.recordCount() > 0)
        store.moveFirst();
    m_form.prompts().message(QStringLiteral("项目上报情况核对完成，请在数据审核结果框内查看结果。"),
                             completionTitle(), MessageIcon::Exclamation);
}
