#include "bench.h"

#include "fieldcatalogue.h"
#include "recordstore.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// The floor: every value of every row read straight from SQLite.
double scan(BenchContext &context)
{
    const QString connection = QStringLiteral("bench-scan");
    double ms = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(context.folder + u'/' + RecordStore::databaseFileName());
        QElapsedTimer timer;
        timer.start();
        if (db.open()) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            qsizetype characters = 0;
            if (query.exec(QStringLiteral("SELECT * FROM kjxmzxqk ORDER BY JB02"))) {
                while (query.next()) {
                    for (int c = 0; c < FieldCatalogue::ColumnCount; ++c)
                        characters += query.value(c).toString().size();
                }
                ms = timer.nsecsElapsed() / 1e6;
            }
            Q_UNUSED(characters);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ms;
}

double open(BenchContext &context)
{
    QElapsedTimer timer;
    timer.start();
    RecordStore store;
    if (!store.open(context.folder))
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

// A record walk that reads every field the way its box shows it.
double walk(BenchContext &context)
{
    RecordStore store;
    if (!store.open(context.folder))
        return -1;
    QElapsedTimer timer;
    timer.start();
    qsizetype characters = 0;
    {
        RecordStore::Walk guard(store);
        if (store.recordCount() > 0 && !store.moveFirst())
            return -1;
        const int count = store.recordCount();
        for (int i = 0; i < count; ++i) {
            for (const FieldSpec &def : FieldCatalogue::fields())
                characters += store.current().shown(def.codeName()).size();
            store.moveNext();
        }
    }
    Q_UNUSED(characters);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

QVector<BenchOperation> recordBenchOperations()
{
    return {{QStringLiteral("scan"), scan}, {QStringLiteral("open"), open},
            {QStringLiteral("walk"), walk}};
}
