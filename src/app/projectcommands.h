#pragma once

#include <QObject>

class FieldBinder;
class FieldBox;
class PageRing;
class Panel;
class Prompts;
class RecordStore;

// The commands on whole projects: open the list, add, edit, delete, delete all, end editing
// and locate by project number (the query box, by its button or its Enter key).
class ProjectCommands : public QObject
{
    Q_OBJECT

public:
    ProjectCommands(RecordStore &store, FieldBinder &binder, Prompts &prompts, PageRing &pages,
                    Panel &list, FieldBox &query, QObject *parent = nullptr);
    // Connects the buttons and the menu entry below `window`.
    void connectControls(QObject &window);

    void CommandEditData_Click();
    void MenuDataEdit_Click();
    void CommandEdit_Click();
    void CommandAddItem_Click();
    void CommandDeleteItem_Click();
    void CommandDataInit_Click();
    void CommandExitDataEdit_Click();
    void LocateProject();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool addProject(const QString &number);
    void failure(const QString &text);
    void refusal(const QString &text);
    QString itemNumber() const;

    RecordStore &m_store;
    FieldBinder &m_binder;
    Prompts &m_prompts;
    PageRing &m_pages;
    Panel &m_list;
    FieldBox &m_query;
};
