#pragma once

#include <QObject>
#include <functional>

class OfficeSuite;
class Prompts;
class QPlainTextEdit;
class RecordStore;
struct CheckState;

// The checking commands: check every record ("数据审核"), check the current record
// ("项目审核"), clear and save the checking report, and reconcile the records with the plan
// list ("未报项目核对"). They write into the report box `report`.
class CheckCommands : public QObject
{
    Q_OBJECT

public:
    // `office` gives the office programs of the run; only the reconciliation calls it.
    CheckCommands(RecordStore &store, CheckState &check, Prompts &prompts,
                  std::function<OfficeSuite &()> office, QPlainTextEdit &report,
                  const QString &programFolder, QObject *parent = nullptr);
    // Connects the buttons below `window`.
    void connectControls(QObject &window);

    void CommandCheck_Click();
    void CommandCheckItem_Click();
    void CommandCheckClear_Click();
    void CommandSaveCheckReport_Click();
    void CommandItem_Click();

    // The report box's text with CR LF line ends, as the commands wrote it.
    QString reportText() const;

private:
    void setReport(const QString &text);

    RecordStore &m_store;
    CheckState &m_check;
    Prompts &m_prompts;
    std::function<OfficeSuite &()> m_office;
    QPlainTextEdit &m_report;
    QString m_folder;
};
