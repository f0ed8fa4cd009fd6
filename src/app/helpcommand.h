#pragma once

#include <QObject>
#include <functional>

class OfficeSuite;
class Prompts;

// The menu entry "帮助信息(&H)": shows the help document in the word processor, as a new
// document based on it, and leaves the word processor running and visible.
class HelpCommand : public QObject
{
    Q_OBJECT

public:
    // `office` gives the office programs of the run, started on first use.
    HelpCommand(std::function<OfficeSuite &()> office, Prompts &prompts,
                const QString &programFolder, QObject *parent = nullptr);
    // Connects the menu entry below `window`.
    void connectControls(QObject &window);

    static QString helpFileName();
    static QString failureText();

    void MenuHelpView_Click();

private:
    std::function<OfficeSuite &()> m_office;
    Prompts &m_prompts;
    QString m_folder;
};
