#pragma once

#include <QObject>
#include <functional>

class OfficeSuite;
class Prompts;
class RecordStore;

// "汇  总": makes the twelve summary workbooks from the records as they are stored, one after
// another in their fixed order, each from its template in the program's folder, and reports
// completion. A summary that could not be written (template missing, office not available,
// output or records that could not be stored) is named in the completion message; a refused
// file (permission denied) also shows ExcelResidentWarning. The cells of an output that kept
// the template's content although they have a sum (part of an array formula) are named in the
// message's details, output by output. The first record is current afterwards.
class SummaryCommand : public QObject
{
    Q_OBJECT

public:
    // `office` gives the office programs of the run, started on first use.
    SummaryCommand(RecordStore &store, std::function<OfficeSuite &()> office, Prompts &prompts,
                   const QString &programFolder, QObject *parent = nullptr);
    // Connects the button below `window`.
    void connectControls(QObject &window);

    void CommandSum_Click();

private:
    RecordStore &m_store;
    std::function<OfficeSuite &()> m_office;
    Prompts &m_prompts;
    QString m_folder;
};
