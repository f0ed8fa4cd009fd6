#include "bench.h"

#include "fieldbehaviour.h"
#include "recordstore.h"

#include <QElapsedTimer>

namespace {

// Leaving the project number compares it with every other record's number.
double leaveProjectNumber(BenchContext &context)
{
    RecordStore store;
    if (!store.open(context.folder) || (store.recordCount() > 0 && !store.moveFirst()))
        return -1;
    QElapsedTimer timer;
    timer.start();
    const bool inUse = FieldBehaviour::numberInUse(store, QStringLiteral("999999999999"));
    const double ms = timer.nsecsElapsed() / 1e6;
    return inUse ? -1 : ms;
}

} // namespace

QVector<BenchOperation> entryBenchOperations()
{
    return {{QStringLiteral("leave-project-number"), leaveProjectNumber}};
}
