#pragma once

#include <QString>
#include <QVarLengthArray>
#include <memory>

class SurveyRecord;

// One value a record adds into one column, at each of its band rows.
struct Contribution
{
    int column;
    double value;
};
using Contributions = QVarLengthArray<Contribution, 32>;

// A summary's per-record rule: the (column, value) pairs the record adds. A column beyond the
// grid, or beyond the written columns, shows nowhere.
class RecordStep
{
public:
    virtual ~RecordStep() = default;
    virtual void contributions(const SurveyRecord &record, Contributions &out) const = 0;
};

// One summary workbook: its template in the program's folder, its grid and the columns the
// write-out visits, and its record step. The engine runs every summary the same way.
struct SummaryDefinition
{
    QString procedure;    // the summary's name, e.g. "SumPapers"
    QString templateName; // e.g. "发表论文专著情况"
    int gridWidth = 22;   // grid columns 0..gridWidth - 1
    int lastColumn = 0;   // N: the write-out visits sheet columns 1..N
    std::shared_ptr<const RecordStep> step;

    QString templateFileName() const { return templateName + QStringLiteral(".xls"); }
    QString outputFileName() const { return templateName + QStringLiteral("_2011.xls"); }
};
