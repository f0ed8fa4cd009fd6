#pragma once

#include "officestatus.h"
#include "planreconciliation.h"

#include <QVector>

class Spreadsheet;

// The plan-list workbook "2011计划.xls": its first sheet holds a heading in row 1 and one
// planned project per row from row 2; the first empty cell of column 2 ends the list.
namespace PlanList {

QString fileName();

// Reads every planned project of the workbook at `path` (columns 2 to 6 of the rows from
// row 2 down to the first empty cell of column 2), a block of rows at a time, and closes the
// workbook. The workbook is only read. A failure gives its status and no rows.
OfficeStatus read(Spreadsheet &sheet, const QString &path,
                  QVector<PlanReconciliation::PlanRow> *rows);

} // namespace PlanList
