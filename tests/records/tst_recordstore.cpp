#include "recordstore.h"
#include "recordtablemodel.h"
#include "testrecords.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestRecordStore : public QObject
{
    Q_OBJECT

private:
    static QString column(const char *code) { return QString::fromLatin1(code); }
    static int at(const char *code) { return RecordColumns::indexOf(column(code)); }

    // Runs SQL on the database file outside the store.
    static void execRaw(const QString &folder, const QString &sql)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw");
            db.setDatabaseName(folder + QStringLiteral("/wobzel2011.db"));
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY2(query.exec(sql), qPrintable(sql));
        }
        QSqlDatabase::removeDatabase("raw");
    }

private slots:
    void createsTheTableWhenMissing()
    {
        QTemporaryDir dir;
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QCOMPARE(store.recordCount(), 0);
        QVERIFY(store.isPastTheEnd());
        QVERIFY(!store.moveFirst());
        QVERIFY(!store.deleteCurrent());
        store.close();
        int columns = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
            db.setDatabaseName(dir.filePath(QStringLiteral("wobzel2011.db")));
            QVERIFY(db.open());
            QSqlQuery query(QStringLiteral("PRAGMA table_info(kjxmzxqk)"), db);
            while (query.next())
                ++columns;
        }
        QSqlDatabase::removeDatabase("check");
        QCOMPARE(columns, 137);
    }

    void refusesFilesItCannotUse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("sql");
        QTest::newRow("not a database") << QByteArray(4096, 'x') << QString();
        QTest::newRow("another table") << QByteArray() << "CREATE TABLE other (a TEXT)";
        QTest::newRow("columns missing")
            << QByteArray() << "CREATE TABLE kjxmzxqk (JB01 TEXT, JB02 TEXT)";
    }
    void refusesFilesItCannotUse()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, sql);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wobzel2011.db"));
        if (sql.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        } else {
            execRaw(dir.path(), sql);
        }
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        before.close();
        {
            RecordStore store;
            QString error;
            QVERIFY(!store.open(dir.path(), &error));
            QVERIFY(!error.isEmpty());
        }
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
    }

    void ordersByProjectNumberAsText()
    {
        QTemporaryDir dir;
        QVERIFY(
            addTestProjects(dir.path(), {{"9", "a"}, {"10", "b"}, {"000123", "c"}, {"10", "d"}}));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QCOMPARE(store.recordCount(), 4);
        QCOMPARE(storedNumbers(dir.path()), QStringList({"000123", "10", "10", "9"}));
        QCOMPARE(store.row(1).value(0), QStringLiteral("b")); // rowid breaks the tie
        QCOMPARE(store.absolutePosition(), 1);
    }

    void movesAndPositions()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}, {"3", "c"}}));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QSignalSpy moves(&store, &RecordStore::moveComplete);
        QVERIFY(store.moveLast());
        QCOMPARE(store.absolutePosition(), 3);
        QVERIFY(store.moveNext());
        QCOMPARE(store.absolutePosition(), RecordStore::PositionPastTheEnd);
        QVERIFY(!store.hasCurrent());
        QVERIFY(!store.setValue(0, QStringLiteral("lost")));
        QVERIFY(!store.moveNext());
        QVERIFY(store.movePrevious());
        QCOMPARE(store.current().value(0), QStringLiteral("c"));
        QVERIFY(store.moveFirst());
        QVERIFY(store.movePrevious());
        QCOMPARE(store.absolutePosition(), RecordStore::PositionBeforeFirst);
        QVERIFY(!store.movePrevious());
        QVERIFY(store.moveTo(1));
        QCOMPARE(store.current().value(0), QStringLiteral("b"));
        QCOMPARE(moves.count(), 6); // the two failed moves send nothing
        QVERIFY(store.movePrevious());
        QCOMPARE(store.absolutePosition(), 1);
    }

    void addNewIsPendingAndCounted()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QVERIFY(store.addNew());
        QCOMPARE(store.recordCount(), 2);
        QCOMPARE(store.absolutePosition(), 2);
        QVERIFY(store.isNewRow());
        QVERIFY(store.setValue(1, QStringLiteral("200100000002")));
        QCOMPARE(storedNumbers(dir.path()).size(), 1); // not stored yet
        QVERIFY(store.moveFirst());
        QCOMPARE(storedNumbers(dir.path()).size(), 2);
        // The new row stays where it was added until the store is read again.
        QCOMPARE(store.row(1).value(1), QStringLiteral("200100000002"));
        // Stored once, it is updated later, not inserted again.
        QVERIFY(store.moveTo(1));
        QVERIFY(store.setValue(0, QStringLiteral("b")));
        QVERIFY(store.moveFirst());
        RecordStore again;
        QVERIFY(again.open(dir.path()));
        QCOMPARE(again.recordCount(), 2);
        QCOMPARE(again.row(1).value(0), QStringLiteral("b"));
    }

    void writesOnlyChangedColumns()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        execRaw(dir.path(), QStringLiteral("UPDATE kjxmzxqk SET JF1001='12.5', JL170='7'"));
        {
            RecordStore store;
            QVERIFY(store.open(dir.path()));
            QCOMPARE(store.current().shown(u"JF1001"), QStringLiteral("13"));
            // Someone else changes the stored value; our edit of another column leaves it.
            execRaw(dir.path(), QStringLiteral("UPDATE kjxmzxqk SET JF1001='12.75'"));
            QVERIFY(store.setValue(at("JB03"), QStringLiteral("张三")));
            QVERIFY(store.update());
        }
        RecordStore again;
        QVERIFY(again.open(dir.path()));
        QCOMPARE(again.current().value(u"JF1001"), QStringLiteral("12.75"));
        QCOMPARE(again.current().value(u"JB03"), QStringLiteral("张三"));
        QCOMPARE(again.current().value(u"JL170"), QStringLiteral("7"));
    }

    // A box shows a loaded number through the whole-number format, and an edit as typed until
    // the row is shown anew.
    void shownTextIsWhatTheBoxShows()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        execRaw(dir.path(), QStringLiteral("UPDATE kjxmzxqk SET JF1001='12.5'"));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QCOMPARE(store.shownText(u"JF1001"), QStringLiteral("13"));
        QVERIFY(store.setValue(at("JF1001"), QStringLiteral("7.5")));
        QCOMPARE(store.shownText(u"JF1001"), QStringLiteral("7.5"));
        QVERIFY(store.update()); // stored, still shown as typed
        QCOMPARE(store.shownText(u"JF1001"), QStringLiteral("7.5"));
        QVERIFY(store.moveFirst());
        QCOMPARE(store.shownText(u"JF1001"), QStringLiteral("8"));
    }

    void deleteStandsOnTheDeletedPosition()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}, {"3", "c"}}));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QVERIFY(store.moveTo(1));
        QVERIFY(store.deleteCurrent());
        QCOMPARE(store.recordCount(), 2);
        QVERIFY(!store.hasCurrent());
        QCOMPARE(store.absolutePosition(), RecordStore::PositionUnknown);
        QVERIFY(!store.deleteCurrent()); // never a neighbour
        QVERIFY(!store.update());
        QCOMPARE(storedNumbers(dir.path()), QStringList({"1", "3"}));
        QVERIFY(store.moveNext());
        QCOMPARE(store.current().value(1), QStringLiteral("3"));
        QVERIFY(store.moveNext());
        QVERIFY(!store.deleteCurrent()); // past the end
        QCOMPARE(storedNumbers(dir.path()), QStringList({"1", "3"}));
    }

    // Another program deleted the row: storing the edit or deleting the row changes no row,
    // which is a failure; the edit stays in the row.
    void writesThatChangeNoRowFail()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}}));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QVERIFY(store.setValue(0, QStringLiteral("edited")));
        execRaw(dir.path(), QStringLiteral("DELETE FROM kjxmzxqk WHERE JB02='1'"));
        QVERIFY(!store.moveNext());
        QVERIFY(!store.update());
        QVERIFY(!store.lastError().isEmpty());
        QCOMPARE(store.absolutePosition(), 1);
        QCOMPARE(store.current().value(0), QStringLiteral("edited"));
        QVERIFY(!store.deleteCurrent());
        QCOMPARE(store.recordCount(), 2);
    }

    void deletingAPendingRowStoresNothing()
    {
        QTemporaryDir dir;
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QVERIFY(store.addNew());
        QVERIFY(store.setValue(1, QStringLiteral("x")));
        QVERIFY(store.deleteCurrent());
        QCOMPARE(store.recordCount(), 0);
        QVERIFY(store.close());
        QCOMPARE(storedNumbers(dir.path()), QStringList());
    }

    void nothingPendingIsLostOnClose()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        {
            RecordStore store;
            QVERIFY(store.open(dir.path()));
            QVERIFY(store.setValue(0, QStringLiteral("edited")));
            QVERIFY(store.addNew());
            QVERIFY(store.setValue(1, QStringLiteral("2")));
            QVERIFY(store.setValue(at("JDCG"), QStringLiteral("第一行\r\n第二行")));
        } // destroyed without a move or an update
        RecordStore again;
        QVERIFY(again.open(dir.path()));
        QCOMPARE(again.recordCount(), 2);
        QCOMPARE(again.row(0).value(0), QStringLiteral("edited"));
        QCOMPARE(again.row(1).value(u"JDCG"), QStringLiteral("第一行\r\n第二行"));
    }

    void walkAnnouncesTheRowOnceAtItsEnd()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}, {"3", "c"}}));
        RecordStore store;
        QVERIFY(store.open(dir.path()));
        QSignalSpy rows(&store, &RecordStore::currentRowChanged);
        QSignalSpy moves(&store, &RecordStore::moveComplete);
        {
            RecordStore::Walk walk(store);
            QVERIFY(store.moveFirst());
            for (int i = 0; i < store.recordCount(); ++i)
                QVERIFY(store.moveNext());
            QCOMPARE(rows.count(), 0);
        }
        QCOMPARE(rows.count(), 1);
        QCOMPARE(moves.count(), 4);
    }

    // The project list's model tells its views of every change of the rows before and after
    // it happens; the tester checks each change against what the model shows.
    void listModelKeepsTheItemModelContract()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}}));
        RecordStore store;
        RecordTableModel model(store);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(store.open(dir.path()));
        QVERIFY(store.addNew());
        QVERIFY(store.addNew());
        QVERIFY(store.deleteCurrent());
        SurveyRecord appended;
        appended.setValue(1, QStringLiteral("9"));
        QVERIFY(store.appendRows({appended, appended, appended}, {1}));
        QCOMPARE(model.rowCount(), 6);
        QCOMPARE(model.index(5, 1).data().toString(), QStringLiteral("9"));
        while (store.recordCount() > 0)
            QVERIFY(store.moveFirst() && store.deleteCurrent());
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
