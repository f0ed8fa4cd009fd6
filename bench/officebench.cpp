// The office layer: starting the private office, and the summaries' write-out of one grid.
#include "bench.h"

#include "calcspreadsheet.h"
#include "officeprocess.h"

#include <QDir>
#include <QElapsedTimer>

namespace {

double sinceStart(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Starting the office process and connecting to it.
double start(BenchContext &)
{
    OfficeProcess office;
    QElapsedTimer timer;
    timer.start();
    if (!office.start().ok())
        return -1;
    return sinceStart(timer);
}

// Open a one-sheet .xls template, write a 202 x 31 block, store it under another name, close.
double block(BenchContext &context)
{
    OfficeProcess office;
    const QString templatePath = QDir(context.folder).filePath(QStringLiteral("汇总模板.xls"));
    const QString output = QDir(context.folder).filePath(QStringLiteral("汇总模板_2011.xls"));
    {
        CalcSpreadsheet sheet(office);
        if (!sheet.createNew().ok() || !sheet.writeCell(1, 1, QStringLiteral("项目数")).ok() ||
            !sheet.writeFormula(202, 1, QStringLiteral("=SUM(A2:A201)")).ok() ||
            !sheet.saveAs(templatePath).ok())
            return -1;
    }
    CellBlock grid(1, 1, 202, 31);
    for (int row = 2; row <= 201; ++row) {
        for (int column = 2; column <= 31; ++column)
            grid.setText(row, column, QStringLiteral(" %1").arg(row * column));
    }

    QElapsedTimer timer;
    timer.start();
    CalcSpreadsheet sheet(office);
    if (!sheet.open(templatePath).ok() || !sheet.writeBlock(grid).ok() ||
        !sheet.saveAs(output).ok() || !sheet.close().ok())
        return -1;
    return sinceStart(timer);
}

} // namespace

QVector<BenchOperation> officeBenchOperations()
{
    return {
        {QStringLiteral("office-start"), start, false},
        {QStringLiteral("office-block"), block, false},
    };
}
