#include "bench.h"

#include "checkreport.h"
#include "recordstore.h"

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

} // namespace

QVector<BenchOperation> checkBenchOperations()
{
    return {{QStringLiteral("check"), check}};
}
