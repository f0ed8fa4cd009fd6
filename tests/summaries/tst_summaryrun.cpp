// Each summary's record step against hand-computed cells, and the write-out, through the
// spreadsheet stand-in.
#include "fakeoffice.h"
#include "recordstore.h"
#include "summarydefinitions.h"
#include "summaryrun.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Records = QList<QStringList>; // "FIELD=value" per record
using Cells = QMap<QPair<int, int>, double>;

// The same values in the same columns of every row.
Cells at(std::initializer_list<int> rows, std::initializer_list<QPair<int, double>> columns)
{
    Cells cells;
    for (int row : rows) {
        for (const auto &[column, value] : columns)
            cells[{row, column}] += value;
    }
    return cells;
}

Cells operator+(Cells a, const Cells &b)
{
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        a[it.key()] += it.value();
    return a;
}

// A program folder with records (unit nature 01, other bands empty unless given: rows 2, 15
// and 149), the last one still pending, and an office stand-in with a labelled template.
class Folder
{
public:
    explicit Folder(const Records &records = {})
    {
        if (!store.open(m_dir.path()))
            qFatal("cannot open the record store");
        for (const QStringList &record : records) {
            store.addNew();
            set(QStringLiteral("JB25=01.大专院校"));
            for (const QString &assignment : record)
                set(assignment);
        }
    }
    QString path(const QString &name) const { return QDir::cleanPath(m_dir.filePath(name)); }
    QString folder() const { return m_dir.path(); }
    FakeWorkbook &templateOf(const SummaryDefinition &d)
    {
        FakeWorkbook &book = office.workbooks[path(d.templateFileName())];
        book.setText(1, 1, QStringLiteral("单位"));
        return book;
    }
    SummaryOutcome run(const SummaryDefinition &d)
    {
        return RunSummary(d, store, office, folder());
    }

    RecordStore store;
    FakeOffice office;

private:
    void set(const QString &assignment)
    {
        const int at = int(assignment.indexOf(u'='));
        store.setValue(RecordColumns::indexOf(assignment.left(at)), assignment.mid(at + 1));
    }
    QTemporaryDir m_dir;
};

const SummaryDefinition &summary(const QString &procedure)
{
    return *SummaryDefinitions::find(procedure);
}

} // namespace

Q_DECLARE_METATYPE(Records)
Q_DECLARE_METATYPE(Cells)

class TestSummaryRun : public QObject
{
    Q_OBJECT

private slots:
    void recordSteps_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<Records>("records");
        QTest::addColumn<Cells>("cells");
        const auto base = {2, 15, 149};
        QTest::newRow("empty table: the template as it was")
            << "SumPatents" << Records{} << Cells{};
        QTest::newRow("papers") << "SumPapers"
                                << Records{{"JG802=3", "JG702=12.9", "JG720=2.9", "JG710=-1"},
                                           {"JG802=4", "JG710=5", "JG131=99"}}
                                << at(base, {{2, 7}, {3, 12}, {4, 2}, {5, 4}});
        QTest::newRow("patents in field order")
            << "SumPatents"
            << Records{{"JG901=1", "JG911=2", "JG912=3", "JG913=4", "JG902=5", "JG914=6", "JG915=7",
                        "JG916=8", "JG920=9.9"},
                       {}}
            << at(base, {{2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {8, 7}, {9, 8}, {10, 9}});
        QTest::newRow("talent") << "SumTalentTraining" << Records{{"JL410=1", "JL420=2", "JL400=9"}}
                                << at(base, {{2, 1}, {3, 2}});
        QTest::newRow("fund sources beyond single precision")
            << "SumFundSources"
            << Records{{"JF1002=16777216", "JF1702=1", "JF1102=12.9", "JF1202=-5", "JF1302=3abc",
                        "JF1502=7", "JF1602=8"},
                       {"JF1002=1", "JF1202=2", "JF1001=50"}}
            << at(base, {{2, 16777217}, {3, 1}, {4, 12}, {6, 3}, {8, 7}, {9, 8}});
        QTest::newRow("fund spending")
            << "SumFundSpending"
            << Records{{"JF2002=100", "JF3002=50", "JF3112=10", "JF3122=20", "JF3132=30",
                        "JF3142=40.9"}}
            << at(base, {{2, 100}, {3, 50}, {4, 10}, {5, 20}, {6, 30}, {7, 40}});
        // 0 and empty count as 1; 6-9 are written; 10-20 and -1 land in no written column; a
        // key beyond 16 bits counts nowhere, not as the key before it.
        QTest::newRow("progress") << "SumProjectProgress"
                                  << Records{{"JB71="},   {"JB71=0"},  {"JB71=5.申请撤销"},
                                             {"JB71=7"},  {"JB71=10"}, {"JB71=20"},
                                             {"JB71=-1"}, {"JB71=2"},  {"JB71=99999"},
                                             {"JB71=2.5"}}
                                  << at(base, {{2, 2}, {3, 2}, {6, 1}, {8, 1}});
        QTest::newRow("delay reasons") << "SumDelayReasons"
                                       << Records{{"JB72_01=00.技术变化"},
                                                  {"JB72_01=0"},
                                                  {"JB72_01=5"},
                                                  {"JB72_01=00"},
                                                  {"JB72_01=42.贷款不落实 "},
                                                  {"JB72_01=42"},
                                                  {"JB72_01=99"},
                                                  {"JB72_01=-10"},
                                                  {"JB72_01=15"},
                                                  {"JB72_01=", "JB72_02=10.计划性调整"}}
                                       << at(base, {{2, 2}, {7, 2}});
        // Person 1 counted in each block: "1.5" and "2.5" go to their even neighbours; a sex
        // beyond any number counts in neither sex column.
        QTest::newRow("leaders")
            << "SumProjectLeaders"
            << Records{{"JB421=2.女", "JB461=1.高级", "JB451=2.硕士", "JB431=1976", "JB422=2.女"},
                       {},
                       {"JB421=1.5", "JB461=2.5", "JB451=3.学士", "JB431=1949"},
                       {QStringLiteral("JB421=1") + QString(400, u'0')}}
            << at(base, {{3, 1},
                         {4, 2},
                         {5, 1},
                         {6, 1},
                         {8, 2},
                         {10, 1},
                         {11, 1},
                         {12, 2},
                         {14, 1},
                         {20, 3}});
        QTest::newRow("participants, empty persons counted")
            << "SumProjectParticipants"
            << Records{{"JB422=2.女", "JB462=1.高级", "JB452=2.硕士", "JB432=1976", "JB421=2.女"},
                       {}}
            << at(base, {{3, 3}, {4, 1}, {5, 1}, {8, 3}, {10, 1}, {12, 3}, {14, 1}, {20, 3}});
        // The count of an empty amount; an amount with a fraction unrounded; no pair for an
        // empty or unlisted plan category.
        const Records byPlan = {{"JB61=1100.重大科技专项", "JF1102=500", "JF1002=800"},
                                {"JB61=3400", "JF1002=7"},
                                {"JB61=2105.高新技术产业化项目", "JF1102=0.25", "JF1002=0.5"},
                                {"JF1102=9", "JF1002=9"},
                                {"JB61=2202", "JF1102=9", "JF1002=9"}};
        QTest::newRow("provincial funds by plan")
            << "SumProvincialFundsByPlan" << byPlan
            << at(base, {{4, 1}, {5, 500}, {16, 1}, {26, 1}, {27, 0.25}}) +
                   at({38}, {{4, 1}, {5, 500}}) + at({44}, {{16, 1}}) +
                   at({49}, {{26, 1}, {27, 0.25}});
        QTest::newRow("total funds by plan")
            << "SumTotalFundsByPlan" << byPlan
            << at(base, {{4, 1}, {5, 800}, {16, 1}, {17, 7}, {26, 1}, {27, 0.5}}) +
                   at({38}, {{4, 1}, {5, 800}}) + at({44}, {{16, 1}, {17, 7}}) +
                   at({49}, {{26, 1}, {27, 0.5}});
        // Five bands; JL430 and JL440 at 5 and 6; person-months past 32767.
        const QStringList bands = {"JB61=2300.基础与前沿技术研究", "JB62=11.能源",
                                   "JB26=01省发展和改革委员会"};
        QTest::newRow("table-3 people")
            << "SumTable3Participants"
            << Records{bands + QStringList{"JL100=12", "JL430=5", "JL440=6", "JL300=20000",
                                           "JL170=9", "JL420=1"},
                       bands + QStringList{"JL100=12", "JL430=5", "JL440=6", "JL300=20000"}}
            << at({2, 15, 42, 53, 69}, {{2, 24}, {5, 10}, {6, 12}, {16, 40000}, {19, 1}});
    }
    void recordSteps()
    {
        QFETCH(QString, procedure);
        QFETCH(Records, records);
        QFETCH(Cells, cells);
        Folder f(records);
        const SummaryDefinition &d = summary(procedure);
        f.templateOf(d);
        QVERIFY(f.run(d).written);
        FakeWorkbook output = f.office.workbooks.value(f.path(d.outputFileName()));
        QCOMPARE(output.cells.take({1, 1}), CellValue::fromText(QStringLiteral("单位")));
        Cells written;
        for (auto it = output.cells.cbegin(); it != output.cells.cend(); ++it) {
            QCOMPARE(it.value().kind, CellValue::Kind::Number);
            written[it.key()] = it.value().number;
        }
        QCOMPARE(written, cells);
    }

    // Only cells above 0 of columns 1..N are written, in one block; the rest of the template
    // stays, and the template itself is not changed.
    void writeOut()
    {
        Folder f(Records{{"JG802=1", "JG710=-1"}});
        const SummaryDefinition &d = summary("SumPapers");
        FakeWorkbook &book = f.templateOf(d);
        book.setText(2, 2, QStringLiteral("旧值"));
        book.setText(2, 5, QStringLiteral("模板5"));
        book.setText(2, 11, QStringLiteral("模板11"));
        const FakeWorkbook before = book;
        QVERIFY(f.run(d).written);
        FakeWorkbook expected = before;
        for (int row : {2, 15, 149})
            expected.setCell(row, 2, CellValue::fromNumber(1));
        QCOMPARE(f.office.workbooks.value(f.path(d.outputFileName())).cells, expected.cells);
        QCOMPARE(f.office.workbooks.value(f.path(d.templateFileName())).cells, before.cells);
        const QString templatePath = QDir(f.folder()).filePath(d.templateFileName());
        const QString outputPath = QDir(f.folder()).filePath(d.outputFileName());
        QCOMPARE(f.office.spreadsheetCalls,
                 QStringList({"open " + templatePath, "writeBlock 2,2 148x1",
                              "saveAs " + outputPath, "close"}));
    }

    // A cell write that fails stores nothing: the earlier output stays as it was.
    void failedCellWriteKeepsTheEarlierOutput()
    {
        Folder f(Records{{"JG802=1"}});
        const SummaryDefinition &d = summary("SumPapers");
        f.templateOf(d);
        FakeWorkbook &earlier = f.office.workbooks[f.path(d.outputFileName())];
        earlier.setText(2, 2, QStringLiteral("旧汇总"));
        const FakeWorkbook before = earlier;
        f.office.cellWritesFail = true;
        QVERIFY(!f.run(d).written);
        QCOMPARE(f.office.workbooks.value(f.path(d.outputFileName())).cells, before.cells);
    }

    // The walk reads the records as stored (the pending edit included, and stored), tells the
    // boxes once, and ends on the first record.
    void walkReadsStoredRecordsAndEndsOnTheFirst()
    {
        Folder f(Records{{"JL410=1"}, {"JL410=2"}, {"JL410=3"}});
        f.store.setValue(RecordColumns::indexOf(u"JL410"), QStringLiteral("30"));
        const SummaryDefinition &d = summary("SumTalentTraining");
        f.templateOf(d);
        QSignalSpy shown(&f.store, &RecordStore::currentRowChanged);
        QVERIFY(f.run(d).written);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(f.store.absolutePosition(), 1);
        QCOMPARE(f.office.workbooks.value(f.path(d.outputFileName())).cell(2, 2).number, 33.0);
        RecordStore stored;
        QVERIFY(stored.open(f.folder()));
        QCOMPARE(stored.row(2).value(RecordColumns::indexOf(u"JL410")), QStringLiteral("30"));
    }
};

QTEST_GUILESS_MAIN(TestSummaryRun)
#include "tst_summaryrun.moc"
