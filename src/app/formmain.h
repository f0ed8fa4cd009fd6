#pragma once

#include "checkrules.h"
#include "codepickerset.h"

#include <QMainWindow>
#include <QMap>
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
class Panel;
class PageRing;
class ProjectCommands;
class Prompts;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class RecordStore;
class RecordTableModel;
class SummaryCommand;
class ReportCommands;

// The main window: main buttons, header, data control, the project list and the five pages,
// over the one recordset of the survey table.
class FormMain : public QMainWindow
{
    Q_OBJECT

public:
    static QString windowTitleText()
    {
        return QStringLiteral("澜梧省科技计划项目执行情况年度调查(2011)");
    }
    static QString messageTitle() { return QStringLiteral("澜梧省科技计划项目执行情况年度调查"); }
    static QString shortTitle() { return QStringLiteral("澜梧省科技统计"); }
    static QString summaryTemplateProbe() { return QStringLiteral("人才培养情况.xls"); }
    static QString updateFailureText()
    {
        return QStringLiteral("更新数据失败！请检查数据或重新启动系统后重试。");
    }

    FormMain(const QString &programFolder, Prompts &prompts, QWidget *parent = nullptr);
    ~FormMain() override;

    // Opens the database, binds the boxes and probes for the summary template. False, with
    // the reason, when the database cannot be used; the file is then left as it was.
    bool Form_Load(QString *error);

    QString programFolder() const { return m_folder; }
    RecordStore &store() { return *m_store; }
    FieldBinder &binder() { return *m_binder; }
    Prompts &prompts() { return m_prompts; }
    CheckState &checkState() { return m_check; }
    CodePickerSet &codePickers() { return m_pickers; }
    PageRing &pageRing() { return *m_pageRing; }
    ProjectCommands &projectCommands() { return *m_projectCommands; }
    CheckCommands &checkCommands() { return *m_checkCommands; }
    HelpCommand &helpCommand() { return *m_helpCommand; }
    // The office programs of the run (the one word-processor object among them), started on
    // first use and ended with the window. Tests put a stand-in in place.
    OfficeSuite &office();
    void setOffice(std::unique_ptr<OfficeSuite> office);
    FieldBehaviour &fieldBehaviour() { return *m_fieldBehaviour; }

    Panel *panel(const QString &name) const { return m_panels.value(name); }
    QPushButton *button(const QString &name) const;
    // Runs `handler` whenever the button named `name` is clicked.
    void onClick(const char *name, std::function<void()> handler);
    FieldBox *lineBox(const QString &name) const;
    QTableView *grid() const { return m_grid; }
    DataControl *dataControl() const { return m_dataControl; }
    QPlainTextEdit *checkReport() const { return m_checkReport; }
    FieldBox *queryBox() const { return m_query; }

    // Moves the focus off the panels (before one is hidden).
    void parkFocus();
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
    void bindBoxes();
    void probeSummaryTemplate();
    void connectCommands();
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
    std::unique_ptr<RecordStore> m_store;
    std::unique_ptr<FieldBinder> m_binder;
    std::unique_ptr<RecordTableModel> m_model;
    std::unique_ptr<PageRing> m_pageRing;
    std::unique_ptr<ProjectCommands> m_projectCommands;
    std::unique_ptr<CheckCommands> m_checkCommands;
    std::unique_ptr<OfficeSuite> m_office;
    std::unique_ptr<HelpCommand> m_helpCommand;
    std::unique_ptr<DataFileCommands> m_dataFileCommands;
    std::unique_ptr<SummaryCommand> m_summaryCommand;
    std::unique_ptr<ReportCommands> m_reportCommands;
    std::unique_ptr<FieldBehaviour> m_fieldBehaviour;
    CheckState m_check;
    CodePickerSet m_pickers;

    QWidget *m_central = nullptr;
    QWidget *m_focusPark = nullptr;
    QLabel *m_background = nullptr;
    DataControl *m_dataControl = nullptr;
    QTableView *m_grid = nullptr;
    QPlainTextEdit *m_checkReport = nullptr;
    FieldBox *m_query = nullptr;
    QMap<QString, Panel *> m_panels;
    bool m_ended = false;
    bool m_gridRowsChanging = false;
};
