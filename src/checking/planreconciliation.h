#pragma once

#include <QString>
#include <QVector>

class SurveyRecord;

// The reconciliation of the records with the plan list "2011计划.xls": every planned project
// without a record (漏报), every record whose project is not planned (错报) and every matched
// project whose provincial appropriation differs from the plan (金额错误).
namespace PlanReconciliation {

// One planned project: a row of the plan list's first sheet from row 2.
struct PlanRow
{
    QString key;       // column 2: the project number as the cell shows it
    QString texts[3];  // columns 3, 4 and 5, copied into a 漏报 line
    double amount = 0; // column 6: planned appropriation in ten 千元
};

// What the reconciliation reads of a record, as its boxes show it.
struct ReportedProject
{
    QString number;        // JB02
    QString name;          // JB01
    QString unit;          // XMCDDW
    QString competentUnit; // ZGDW
    double appropriation;  // numeric reading of JF1102 (千元)

    static ReportedProject from(const SurveyRecord &record);
};

// The planned amount of a cell holding `value`: read as a single-precision number and taken
// as the number its 7-digit decimal text shows.
double plannedAmount(double value);

// The report: the four heading lines, then one numbered line per finding. The two lists are
// merged by the numeric reading of their project numbers, each in the order given, until
// both are used up.
QString report(const QVector<PlanRow> &plan, const QVector<ReportedProject> &records);

} // namespace PlanReconciliation
