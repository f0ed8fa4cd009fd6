#include "bench.h"

#include "fieldcatalogue.h"
#include "recordstore.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

// The floor: every value of every row read straight through SQLite.
double scan(BenchContext &context)
{
    const QByteArray path = (context.folder + u'/' + RecordStore::databaseFileName()).toUtf8();
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    sqlite3_stmt *statement = nullptr;
    double ms = -1;
    if (sqlite3_prepare_v2(db, "SELECT * FROM kjxmzxqk ORDER BY JB02", -1, &statement, nullptr) ==
        SQLITE_OK) {
        qsizetype characters = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < FieldCatalogue::ColumnCount; ++c) {
                const char *text =
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
                if (text)
                    characters +=
                        QString::fromUtf8(text, sqlite3_column_bytes(statement, c)).size();
            }
        }
        ms = timer.nsecsElapsed() / 1e6;
        Q_UNUSED(characters);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
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
    return {{QStringLiteral("scan"), scan},
            {QStringLiteral("open"), open},
            {QStringLiteral("walk"), walk}};
}
