#pragma once

#include "sumgrid.h"
#include "summarydefinition.h"

#include <QString>
#include <QVector>
#include <functional>

class OfficeStatus;
class OfficeSuite;
class RecordStore;
class Spreadsheet;
struct PassedOverCell;

// What one summary run left: its output file, or why it was not written.
struct SummaryOutcome
{
    QString outputFileName; // e.g. "发表论文专著情况_2011.xls"
    bool written = false;
    int errorNumber = 0; // the office's error number (OfficeStatus) of the failing step
    QString reason;
    // The cells with a sum that the write-out left as the template has them, and why
    // ("单元格H2、I2属于数组公式，…"); empty when every sum went in.
    QString cellsPassedOver;
};

// The record walk of the summaries: from the first record, every record as stored (the first
// move stores a pending edit) through each definition's record step into its grid, at the
// record's band rows. A record is read once for all the summaries. The boxes are not refreshed
// per record: the store tells its watchers once, when the walk ends on the first record again.
// `grids` gets one grid a definition, in their order. False, with the store's reason, when a
// move fails.
bool collectSums(const QVector<SummaryDefinition> &definitions, RecordStore &store,
                 QVector<SumGrid> *grids, QString *error = nullptr);

// The write-out: opens the template "<folder>/<template name>.xls", writes every cell of rows
// 1..200 and columns 1..N whose sum is above 0 as a number, in one call (every other cell of
// the template stays as it is), runs `sheetFilled`, stores the workbook as
// "<folder>/<template name>_2011.xls" (a real .xls, complete or not at all: an earlier output
// stays when the store fails) and closes it. A cell that is part of an array formula keeps
// what the template has (see Spreadsheet::writeBlock); the cells passed over go into
// `passedOver` (when given).
OfficeStatus WriteSummaryWorkbook(const SummaryDefinition &definition, const SumGrid &grid,
                                  Spreadsheet &sheet, const QString &folder,
                                  const std::function<void()> &sheetFilled = {},
                                  QVector<PassedOverCell> *passedOver = nullptr);

// The write-out of one summary's grid through a spreadsheet object of its own.
SummaryOutcome WriteSummary(const SummaryDefinition &definition, const SumGrid &grid,
                            OfficeSuite &office, const QString &folder,
                            const std::function<void()> &sheetFilled = {});

// One summary: the walk, then the write-out. Nothing is written when the walk fails.
SummaryOutcome RunSummary(const SummaryDefinition &definition, RecordStore &store,
                          OfficeSuite &office, const QString &folder,
                          const std::function<void()> &sheetFilled = {});

// What a summary whose walk failed leaves: nothing written, and why.
SummaryOutcome walkFailed(const SummaryDefinition &definition, const QString &storeError);
