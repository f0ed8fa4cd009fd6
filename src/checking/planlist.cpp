#include "planlist.h"

#include "cellblock.h"
#include "spreadsheet.h"

namespace PlanList {

namespace {

constexpr int kFirstRow = 2;
constexpr int kKeyColumn = 2;
constexpr int kColumns = 5; // 2 to 6
constexpr int kFirstBlockRows = 512;
constexpr int kMaxBlockRows = 8192;
constexpr int kLastSheetRow = 1048576;

// Column 6: an empty cell, or a text that is not a number, plans nothing.
double amountOf(const CellValue &cell)
{
    bool ok = false;
    const double value = cell.toNumber(&ok);
    return ok ? PlanReconciliation::plannedAmount(value) : 0;
}

// Appends the rows of `block` down to the first empty key; true when the list ended there.
bool takeRows(const CellBlock &block, QVector<PlanReconciliation::PlanRow> *rows)
{
    for (int r = block.top(); r <= block.bottom(); ++r) {
        const QString key = block.value(r, kKeyColumn).text();
        if (key.isEmpty())
            return true;
        PlanReconciliation::PlanRow row;
        row.key = key;
        for (int i = 0; i < 3; ++i)
            row.texts[i] = block.value(r, kKeyColumn + 1 + i).text();
        row.amount = amountOf(block.value(r, kKeyColumn + 4));
        rows->append(row);
    }
    return false;
}

} // namespace

QString fileName()
{
    return QStringLiteral("2011计划.xls");
}

OfficeStatus read(Spreadsheet &sheet, const QString &path,
                  QVector<PlanReconciliation::PlanRow> *rows)
{
    rows->clear();
    OfficeStatus status = sheet.open(path);
    if (!status.ok())
        return status;
    int top = kFirstRow;
    int blockRows = kFirstBlockRows;
    while (top <= kLastSheetRow) {
        CellBlock block(top, kKeyColumn, qMin(blockRows, kLastSheetRow - top + 1), kColumns);
        status = sheet.readBlock(&block);
        if (!status.ok() || takeRows(block, rows))
            break;
        top += block.rows();
        blockRows = qMin(blockRows * 2, kMaxBlockRows);
    }
    const OfficeStatus closed = sheet.close();
    if (status.ok())
        status = closed;
    if (!status.ok())
        rows->clear();
    return status;
}

} // namespace PlanList
