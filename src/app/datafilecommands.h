#pragma once

#include <QString>

class FormMain;
struct FileDialogSetup;
namespace DataFiles {
struct AppendPlan;
}
namespace KjFormat {
struct ReadError;
}

// The `.kj` data-file commands: submit all records, report the current project, distribute
// one file per project into the current directory, and append the records of a file.
class DataFileCommands
{
public:
    explicit DataFileCommands(FormMain &form);
    void connectControls();

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
    void failure();
    void appendFailure(const QString &what);
    bool appendPlanned(const DataFiles::AppendPlan &plan);
    static QString readFailureText(const QString &path, const KjFormat::ReadError &error);

    FormMain &m_form;
};
