#pragma once

#include <QObject>
#include <functional>

class OfficeSuite;
class Prompts;
class RecordStore;
namespace ProjectReport {
struct Outcome;
}

// The report commands: "报表生成" in the project list (the current project), "报表生成" on
// the main screen (every project) and "报表打印" (the current project's made report, printed
// once on the default printer). The current record is read as its boxes show it, edits not
// yet stored as they were typed. A template that is no regular file is never opened.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    // `office` gives the office programs of the run; it is called only when a command needs
    // the word processor, so that a command that fails early starts nothing.
    ReportCommands(RecordStore &store, std::function<OfficeSuite &()> office, Prompts &prompts,
                   const QString &programFolder, QObject *parent = nullptr);
    // Connects the buttons below `window`.
    void connectControls(QObject &window);

    void CommandReport_Click();
    void CommandReports_Click();
    void CommandPrint_Click();

private:
    // How a template that is there but cannot be used ends a command.
    enum class UnusableTemplate { EndsSilently, IsTold };

    bool templateUsable(UnusableTemplate unusable);
    void showFailure(const ProjectReport::Outcome &outcome);
    void message(const QString &text, const QString &title);

    RecordStore &m_store;
    std::function<OfficeSuite &()> m_office;
    Prompts &m_prompts;
    QString m_folder;
};
