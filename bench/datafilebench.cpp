#include "bench.h"

#include "datafiles.h"
#include "kjformat.h"
#include "recordstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

// Every record into one `.kj` file.
double submit(BenchContext &context)
{
    RecordStore store;
    QTemporaryDir out;
    if (!store.open(context.folder) || !out.isValid())
        return -1;
    QElapsedTimer timer;
    timer.start();
    if (!DataFiles::writeAll(store, out.filePath(QStringLiteral("all.kj")), nullptr))
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

// A file of every record appended into the empty table of a fresh program folder: reading,
// the duplicate test and storing.
double append(BenchContext &context)
{
    QTemporaryDir target;
    if (!target.isValid())
        return -1;
    const QString file = target.filePath(QStringLiteral("all.kj"));
    {
        RecordStore source;
        if (!source.open(context.folder) || !DataFiles::writeAll(source, file, nullptr))
            return -1;
    }
    RecordStore store;
    if (!store.open(target.path()))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QVector<SurveyRecord> records;
    if (!KjFormat::readFile(file, &records, nullptr))
        return -1;
    const DataFiles::AppendPlan plan = DataFiles::planAppend(store, records);
    if (!store.appendRows(plan.rows) || store.recordCount() != context.records)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

// One file per record.
double distribute(BenchContext &context)
{
    RecordStore store;
    QTemporaryDir out;
    if (!store.open(context.folder) || !out.isValid())
        return -1;
    QElapsedTimer timer;
    timer.start();
    if (!DataFiles::distribute(store, QDir(out.path()), {store.databasePath()}, nullptr, nullptr))
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

QVector<BenchOperation> dataFileBenchOperations()
{
    return {{QStringLiteral("submit"), submit},
            {QStringLiteral("append"), append},
            {QStringLiteral("distribute"), distribute}};
}
