#pragma once

class FormMain;
class QString;

// The commands on whole projects: open the list, add, edit, delete, delete all, end editing
// and locate by project number.
class ProjectCommands
{
public:
    explicit ProjectCommands(FormMain &form);
    void connectControls();

    void CommandEditData_Click();
    void MenuDataEdit_Click();
    void CommandEdit_Click();
    void CommandAddItem_Click();
    void CommandDeleteItem_Click();
    void CommandDataInit_Click();
    void CommandExitDataEdit_Click();
    void LocateProject();

private:
    bool addProject(const QString &number);
    void failure(const QString &text);
    QString itemNumber() const;

    FormMain &m_form;
};
