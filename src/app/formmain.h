#pragma once

#include "checkrules.h"
#include "pagering.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class CheckCommands;
class DataControl;
class DataFileCommands;
class FieldBehaviour;
class FieldBinder;
class FieldBox;
class HelpCommand;
class OfficeSuite;
class ProjectCommands;
class Prompts;
class QLabel;
class QPlainTextEdit;
class QTableView;
class RecordStore;
class RecordTableModel;
class ReportCommands;
class SummaryCommand;

// The main window: main buttons, header, data control, the project list and the five pages,
// over the one recordset of the survey table. It builds the commands, hands each what it
// uses, and connects them to their controls.
class FormMain : public QMainWindow
{
    Q_OBJECT

public:
    // Makes the office programs of the run, on first use.
    using OfficeMaker = std::function<std::unique_ptr<OfficeSuite>()>;

    // Without `makeOffice`, the office programs are those of the office library
    // (OfficeLoader).
    FormMain(const QString &programFolder, Prompts &prompts, OfficeMaker makeOffice = {},
             QWidget *parent = nullptr);
    ~FormMain() override;

    // Opens the database, binds the boxes and probes for the summary template. False, with
    // the reason, when the database cannot be used; the file is then left as it was.
    bool Form_Load(QString *error);

    // The recordset, whose pending edit the program run stores when the session ends.
    RecordStore &store() { return *m_store; }

    // Stores what is pending and ends: false when the row could not be stored and the user
    // chose to stay.
    bool CommandEnd_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildMainButtons();
    void buildHeader();
    void buildDataList();
    void buildPages();
    void buildCommands();
    void connectCommands();
    void attachGrid();
    void bindBoxes();
    void probeSummaryTemplate();
    OfficeSuite &office();
    void syncGridToCurrentRow();
    void gridRowChosen(int row);
    void sayMoveFailed();
    void Form_Resize();
    void Adodc2xxx_MoveComplete();
    bool storePending();
    // Says that the pending edit could not be stored and asks whether to end without it;
    // true when the user ends anyway.
    bool askToEndWithoutStoring();

    QString m_folder;
    Prompts &m_prompts;
    OfficeMaker m_makeOffice;
    std::unique_ptr<RecordStore> m_store;
    std::unique_ptr<OfficeSuite> m_office;
    std::unique_ptr<RecordTableModel> m_model;
    CheckState m_check;
    // The binder and the commands: owned here, so that they go before the widgets they watch,
    // and children of the window in its object tree.
    std::unique_ptr<FieldBinder> m_binder;
    std::unique_ptr<FieldBehaviour> m_fieldBehaviour;
    std::unique_ptr<PageRing> m_pageRing;
    std::unique_ptr<ProjectCommands> m_projectCommands;
    std::unique_ptr<CheckCommands> m_checkCommands;
    std::unique_ptr<DataFileCommands> m_dataFileCommands;
    std::unique_ptr<HelpCommand> m_helpCommand;
    std::unique_ptr<SummaryCommand> m_summaryCommand;
    std::unique_ptr<ReportCommands> m_reportCommands;

    QWidget *m_central = nullptr;
    QWidget *m_focusPark = nullptr;
    QLabel *m_background = nullptr;
    DataControl *m_dataControl = nullptr;
    QTableView *m_grid = nullptr;
    QPlainTextEdit *m_checkReport = nullptr;
    FieldBox *m_query = nullptr;
    PagePanels m_panels;
    bool m_ended = false;
    bool m_gridRowsChanging = false;
};
