#include "summaryrun.h"

#include "breakdownrows.h"
#include "cellblock.h"
#include "officestatus.h"
#include "officesuite.h"
#include "recordstore.h"
#include "spreadsheet.h"
#include "vbtext.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace {

constexpr int kFirstWrittenRow = 1;
constexpr int kLastWrittenRow = 200;

void addRecord(const QVector<SummaryDefinition> &definitions, const SurveyRecord &record,
               QVector<SumGrid> &grids)
{
    const BreakdownRows rows = BreakdownRows::of(record);
    Contributions contributions;
    for (int i = 0; i < definitions.size(); ++i) {
        contributions.clear();
        definitions[i].step->contributions(record, contributions);
        for (const Contribution &c : contributions)
            AddToBands(grids[i], rows, c.column, c.value);
    }
}

// The cells above 0 of rows 1..200 and columns 1..N, marked in the smallest block that holds
// them all.
CellBlock positiveCells(const SummaryDefinition &definition, const SumGrid &grid)
{
    int top = kLastWrittenRow + 1, bottom = 0, left = definition.lastColumn + 1, right = 0;
    for (int row = kFirstWrittenRow; row <= kLastWrittenRow; ++row) {
        for (int column = 1; column <= definition.lastColumn; ++column) {
            if (grid.at(row, column) > 0) {
                top = std::min(top, row);
                bottom = row;
                left = std::min(left, column);
                right = std::max(right, column);
            }
        }
    }
    if (bottom == 0)
        return CellBlock(kFirstWrittenRow, 1, 1, 1); // nothing to write
    CellBlock block(top, left, bottom - top + 1, right - left + 1);
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            const double sum = grid.at(row, column);
            if (sum > 0)
                block.setText(row, column, VbText::numberText(sum));
        }
    }
    return block;
}

// What the user is told of the cells a write-out passed over: the cells of each reason by
// their names, in sheet order.
QString passedOverText(const QVector<PassedOverCell> &cells)
{
    QStringList inArray, refused;
    for (const PassedOverCell &cell : cells) {
        (cell.reason == PassedOverCell::Reason::ArrayFormula ? inArray : refused)
            << cellName(cell.row, cell.column);
    }
    QStringList why;
    if (!inArray.isEmpty())
        why << QStringLiteral("单元格%1属于数组公式").arg(inArray.join(u'、'));
    if (!refused.isEmpty())
        why << QStringLiteral("单元格%1不接受写入").arg(refused.join(u'、'));
    if (why.isEmpty())
        return QString();
    return why.join(u'；') + QStringLiteral("，这些单元格没有写入汇总数，保留模板中的内容。");
}

} // namespace

bool collectSums(const QVector<SummaryDefinition> &definitions, RecordStore &store,
                 QVector<SumGrid> *grids, QString *error)
{
    grids->clear();
    for (const SummaryDefinition &definition : definitions)
        grids->append(SumGrid(definition.gridWidth));
    const int count = store.recordCount();
    if (count == 0)
        return true;
    RecordStore::Walk walk(store);
    bool moved = store.moveFirst();
    for (int i = 0; moved && i < count; ++i) {
        addRecord(definitions, store.current(), *grids);
        moved = store.moveNext();
    }
    moved = moved && store.moveFirst();
    if (!moved && error)
        *error = store.lastError();
    return moved;
}

OfficeStatus WriteSummaryWorkbook(const SummaryDefinition &definition, const SumGrid &grid,
                                  Spreadsheet &sheet, const QString &folder,
                                  const std::function<void()> &sheetFilled,
                                  QVector<PassedOverCell> *passedOver)
{
    const QDir dir(folder);
    OfficeStatus status = sheet.open(dir.filePath(definition.templateFileName()));
    if (status.ok())
        status = sheet.writeBlock(positiveCells(definition, grid), passedOver);
    if (sheetFilled)
        sheetFilled();
    if (status.ok())
        status = sheet.saveAs(dir.filePath(definition.outputFileName()));
    sheet.close();
    return status;
}

SummaryOutcome WriteSummary(const SummaryDefinition &definition, const SumGrid &grid,
                            OfficeSuite &office, const QString &folder,
                            const std::function<void()> &sheetFilled)
{
    SummaryOutcome outcome;
    outcome.outputFileName = definition.outputFileName();
    const std::unique_ptr<Spreadsheet> sheet = office.createSpreadsheet();
    QVector<PassedOverCell> passedOver;
    const OfficeStatus status =
        WriteSummaryWorkbook(definition, grid, *sheet, folder, sheetFilled, &passedOver);
    outcome.written = status.ok();
    outcome.errorNumber = status.number();
    outcome.reason = status.text();
    if (outcome.written)
        outcome.cellsPassedOver = passedOverText(passedOver);
    return outcome;
}

SummaryOutcome walkFailed(const SummaryDefinition &definition, const QString &storeError)
{
    SummaryOutcome outcome;
    outcome.outputFileName = definition.outputFileName();
    outcome.reason = QStringLiteral("记录无法保存：") + storeError;
    return outcome;
}

SummaryOutcome RunSummary(const SummaryDefinition &definition, RecordStore &store,
                          OfficeSuite &office, const QString &folder,
                          const std::function<void()> &sheetFilled)
{
    QVector<SumGrid> grids;
    QString error;
    if (!collectSums({definition}, store, &grids, &error))
        return walkFailed(definition, error);
    return WriteSummary(definition, grids.first(), office, folder, sheetFilled);
}
