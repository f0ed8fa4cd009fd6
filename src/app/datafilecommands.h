#pragma once

#include <QObject>

class Prompts;
class RecordStore;
namespace DataFiles {
struct AppendPlan;
}
namespace KjFormat {
struct ReadError;
}

// The `.kj` data-file commands: submit all records, report the current project, distribute
// one file per project into the current directory, and append the records of a file. The
// project list `grid` is shown after submitting and appending.
class DataFileCommands : public QObject
{
    Q_OBJECT

public:
    DataFileCommands(RecordStore &store, Prompts &prompts, const QString &programFolder,
                     QWidget &grid, QObject *parent = nullptr);
    // Connects the buttons below `window`.
    void connectControls(QObject &window);

    void CommandExcel_Click();
    void Command1_Click();
    void CommandEachItem_Click();
    void CommandAddData_Click();

private:
    void SubmitData();
    void AppendData();
    QString chooseSubmitFile();
    void showGrid();
    void message(const QString &text, const QString &title);
    void failure(const QString &reason);
    void appendFailure(const QString &what, const QString &reason);
    bool appendPlanned(const DataFiles::AppendPlan &plan);
    static QString readFailureText(const QString &path, const KjFormat::ReadError &error);

    RecordStore &m_store;
    Prompts &m_prompts;
    QString m_folder;
    QWidget &m_grid;
};
