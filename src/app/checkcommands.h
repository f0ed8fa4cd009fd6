#pragma once

#include <QString>

class FormMain;

// The checking commands: check every record ("数据审核"), check the current record
// ("项目审核"), clear and save the checking report, and reconcile the records with the plan
// list ("未报项目核对").
class CheckCommands
{
public:
    static QString completionTitle() { return QStringLiteral("科技项目统计"); }

    explicit CheckCommands(FormMain &form);
    void connectControls();

    void CommandCheck_Click();
    void CommandCheckItem_Click();
    void CommandCheckClear_Click();
    void CommandSaveCheckReport_Click();
    void CommandItem_Click();

    // The report box's text with CR LF line ends, as the commands wrote it.
    QString reportText() const;

private:
    void setReport(const QString &text);

    FormMain &m_form;
};
