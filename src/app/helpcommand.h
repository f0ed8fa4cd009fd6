#pragma once

class FormMain;
class QString;

// The menu entry "帮助信息(&H)": shows the help document in the word processor, as a new
// document based on it, and leaves the word processor running and visible.
class HelpCommand
{
public:
    explicit HelpCommand(FormMain &form);
    void connectControls();

    static QString helpFileName();
    static QString failureText();

    void MenuHelpView_Click();

private:
    FormMain &m_form;
};
