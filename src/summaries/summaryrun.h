#pragma once

#include "sumgrid.h"
#include "summarydefinition.h"

#include <QString>
#include <functional>

class OfficeStatus;
class OfficeSuite;
class RecordStore;
class Spreadsheet;

// What one summary run left: its output file, or why it was not written.
struct SummaryOutcome
{
    QString outputFileName; // e.g. "发表论文专著情况_2011.xls"
    bool written = false;
    int errorNumber = 0; // the office's error number (OfficeStatus) of the failing step
    QString reason;
};

// The record walk of a summary: from the first record, every record as stored (the first move
// stores a pending edit) through the definition's record step into the grid, at the record's
// band rows. The boxes are not refreshed per record: the store tells its watchers once, when
// the walk ends on the first record again. False, with the store's reason, when a move fails.
bool collectSums(const SummaryDefinition &definition, RecordStore &store, SumGrid *grid,
                 QString *error = nullptr);

// The write-out: opens the template "<folder>/<template name>.xls", writes every cell of rows
// 1..200 and columns 1..N whose sum is above 0 as a number, in one block (every other cell of
// the template keeps its text, number or formula), runs `sheetFilled`, stores the workbook as
// "<folder>/<template name>_2011.xls" (a real .xls, complete or not at all: an earlier output
// stays when the store fails) and closes it.
OfficeStatus WriteSummaryWorkbook(const SummaryDefinition &definition, const SumGrid &grid,
                                  Spreadsheet &sheet, const QString &folder,
                                  const std::function<void()> &sheetFilled = {});

// One summary: the walk, then the write-out through a spreadsheet object of its own. Nothing is
// written when the walk fails.
SummaryOutcome RunSummary(const SummaryDefinition &definition, RecordStore &store,
                          OfficeSuite &office, const QString &folder,
                          const std::function<void()> &sheetFilled = {});
