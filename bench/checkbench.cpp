#include "bench.h"

#include "calcspreadsheet.h"
#include "cellblock.h"
#include "checkreport.h"
#include "libreofficesuite.h"
#include "planlist.h"
#include "planreconciliation.h"
#include "recordstore.h"

#include <QDir>
#include <QElapsedTimer>

namespace {

// Every record through the four rule procedures, the whole report built.
double check(BenchContext &context)
{
    RecordStore store;
    if (!store.open(context.folder))
        return -1;
    QElapsedTimer timer;
    timer.start();
    CheckState state;
    QString report;
    const CheckReport::WalkResult result = CheckReport::checkAllRecords(store, state, report);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (result == CheckReport::WalkResult::MoveFailed || report.isEmpty())
        return -1;
    return ms;
}

// A plan list of 10,000 rows: most numbers of the synthetic records, every eleventh number
// left out, and planned numbers past the last record.
bool writePlanList(LibreOfficeSuite &suite, const QString &path)
{
    constexpr int rows = 10000;
    CalcSpreadsheet sheet(suite.process());
    if (!sheet.createNew().ok())
        return false;
    CellBlock block(1, 1, rows + 1, 6);
    block.setText(1, 2, QStringLiteral("项目编号"));
    for (int i = 0; i < rows; ++i) {
        const int number = i + i / 10;
        block.setText(i + 2, 1, QString::number(i + 1));
        block.setText(i + 2, 2, QStringLiteral("2011%1").arg(number, 8, 10, QLatin1Char('0')));
        block.setText(i + 2, 3, QStringLiteral("计划项目%1").arg(number));
        block.setText(i + 2, 4, QStringLiteral("承担单位%1").arg(number % 300));
        block.setText(i + 2, 5, QStringLiteral("重点项目"));
        block.setText(i + 2, 6, QString::number(((number * 7 + 7) % 500) / 10.0));
    }
    const bool ok = sheet.writeBlock(block).ok() && sheet.saveAs(path).ok();
    sheet.close();
    return ok;
}

// The reconciliation of the records with that list, the office already running: the list
// read, the merge, the report.
double reconcile(BenchContext &context)
{
    LibreOfficeSuite suite(OfficeProcess::Display::Headless);
    const QString path = QDir(context.folder).filePath(PlanList::fileName());
    if (!writePlanList(suite, path))
        return -1;
    RecordStore store;
    if (!store.open(context.folder))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QVector<PlanReconciliation::PlanRow> plan;
    if (!PlanList::read(*suite.createSpreadsheet(), path, &plan).ok() || plan.size() != 10000)
        return -1;
    QVector<PlanReconciliation::ReportedProject> records;
    records.reserve(store.recordCount());
    for (int i = 0; i < store.recordCount(); ++i)
        records << PlanReconciliation::ReportedProject::from(store.row(i));
    const QString report = PlanReconciliation::report(plan, records);
    if (store.recordCount() > 0)
        store.moveFirst();
    const double ms = timer.nsecsElapsed() / 1e6;
    return report.isEmpty() ? -1 : ms;
}

} // namespace

QVector<BenchOperation> checkBenchOperations()
{
    return {{QStringLiteral("check"), check}, {QStringLiteral("reconcile"), reconcile}};
}
