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

const SummaryDefinition &summary(const char *procedure)
{
    const SummaryDefinition *d = SummaryDefinitions::find(QString::fromLatin1(procedure));
    if (!d)
        qFatal("no summary %s", procedure);
    return *d;
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
    }
    void recordSteps()
    {
        QFETCH(QString, procedure);
        QFETCH(Records, records);
        QFETCH(Cells, cells);
        Folder f(records);
        const SummaryDefinition &d = summary(qPrintable(procedure));
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
                 QStringList({"open " + templatePath, "writeBlock 1,1 200x10",
                              "saveAs " + outputPath, "close"}));
    }

    void emptyTableSavesTheTemplateUnchanged()
    {
        Folder f;
        const SummaryDefinition &d = summary("SumPatents");
        f.templateOf(d).setText(5, 5, QStringLiteral("合计"));
        QVERIFY(f.run(d).written);
        QCOMPARE(f.office.workbooks.value(f.path(d.outputFileName())).cells,
                 f.office.workbooks.value(f.path(d.templateFileName())).cells);
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

    void failuresAreReportedAndKeepEarlierOutputs()
    {
        Folder f(Records{{"JG802=1"}});
        const SummaryDefinition &d = summary("SumPapers");
        SummaryOutcome missing = f.run(d);
        QVERIFY(!missing.written);
        QCOMPARE(missing.errorNumber, int(OfficeStatus::FileNotFound));
        QCOMPARE(missing.outputFileName, QStringLiteral("发表论文专著情况_2011.xls"));
        QVERIFY(!f.office.workbooks.contains(f.path(d.outputFileName())));

        f.templateOf(d);
        f.office.workbooks[f.path(d.outputFileName())].setText(1, 1, QStringLiteral("上次"));
        f.office.deniedPaths << f.path(d.outputFileName());
        QCOMPARE(f.run(d).errorNumber, int(OfficeStatus::PermissionDenied));
        QCOMPARE(f.office.workbooks.value(f.path(d.outputFileName())).cell(1, 1).string,
                 QStringLiteral("上次"));

        f.office.cannotStart = true;
        QCOMPARE(f.run(d).errorNumber, int(OfficeStatus::CannotStart));
        QCOMPARE(f.store.absolutePosition(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSummaryRun)
#include "tst_summaryrun.moc"
