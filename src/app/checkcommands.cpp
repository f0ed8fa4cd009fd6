#include "checkcommands.h"

#include "checkreport.h"
#include "fieldbinder.h"
#include "formmain.h"
#include "prompts.h"
#include "recordstore.h"

#include <QPlainTextEdit>
#include <QPushButton>

CheckCommands::CheckCommands(FormMain &form) : m_form(form) {}

void CheckCommands::connectControls()
{
    auto on = [this](const char *name, void (CheckCommands::*handler)()) {
        QObject::connect(m_form.button(QString::fromLatin1(name)), &QPushButton::clicked,
                         [this, handler] { (this->*handler)(); });
    };
    on("CommandCheck", &CheckCommands::CommandCheck_Click);
    on("CommandCheckItem", &CheckCommands::CommandCheckItem_Click);
    on("CommandCheckClear", &CheckCommands::CommandCheckClear_Click);
    on("CommandSaveCheckReport", &CheckCommands::CommandSaveCheckReport_Click);
    on("CommandItem", &CheckCommands::CommandItem_Click);
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
    if (!CheckReport::save(name, reportText())) {
        m_form.prompts().message(QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"),
                                 FormMain::shortTitle(), MessageIcon::Information);
        return;
    }
    m_form.prompts().message(QStringLiteral("审核结果已保存在") + name + QStringLiteral("中。"),
                             FormMain::shortTitle(), MessageIcon::Information);
}

void CheckCommands::CommandItem_Click() {}
