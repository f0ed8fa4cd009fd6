// Band rows, the three readings, the person columns and the grid of the summaries.
#include "breakdownrows.h"
#include "codetables.h"
#include "sumgrid.h"
#include "summaryreadings.h"

#include <QSet>
#include <QTest>
#include <cfloat>

using Band = BreakdownRows::Band;
Q_DECLARE_METATYPE(BreakdownRows::Band)

namespace {

struct BandTable
{
    Band band;
    const char *picker;
    int firstRow, lastRow; // the rows the band's items may reach
};

const BandTable kBandTables[] = {
    {BreakdownRows::UnitNature, "ComboJB25_JB52_JB54", 2, 12},
    {BreakdownRows::Region, "ComboJB22", 15, 33},
    {BreakdownRows::PlanCategory, "ComboJB61", 38, 49},
    {BreakdownRows::TechnicalField, "ComboJB62", 53, 65},
    {BreakdownRows::CompetentUnit, "ComboJB26", 69, 149},
};

} // namespace

class TestSummaryEngine : public QObject
{
    Q_OBJECT

private slots:
    // Every item of a band's code table has a row of its own inside the band's rows.
    void everyTableItemHasItsOwnRow()
    {
        QSet<int> allRows;
        for (const BandTable &t : kBandTables) {
            const CodePickerSpec *picker = CodeTables::picker(QString::fromLatin1(t.picker));
            QSet<int> rows;
            for (const QString &item : picker->items) {
                const int row = BreakdownRows::rowOf(t.band, picker->pickedText(item));
                QVERIFY2(row >= t.firstRow && row <= t.lastRow, qPrintable(item));
                rows.insert(row);
            }
            QCOMPARE(rows.size(), picker->items.size());
            QVERIFY(!allRows.intersects(rows));
            allRows += rows;
        }
    }

    void bandRows_data()
    {
        QTest::addColumn<Band>("band");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        const Band unit = BreakdownRows::UnitNature, region = BreakdownRows::Region,
                   plan = BreakdownRows::PlanCategory, field = BreakdownRows::TechnicalField,
                   competent = BreakdownRows::CompetentUnit;
        const int none = BreakdownRows::NoRow;
        QTest::newRow("unit 01") << unit << "01.大专院校" << 2;
        QTest::newRow("unit 10") << unit << "10.群众团体" << 11;
        QTest::newRow("unit 99") << unit << "99.其他" << 12;
        QTest::newRow("unit empty") << unit << "" << 12;
        QTest::newRow("unit 11 outside the table") << unit << "11" << 12;
        QTest::newRow("unit 20 outside the table") << unit << "20" << 12;
        QTest::newRow("unit 1.9 rounds down") << unit << "1.9" << 2;
        QTest::newRow("region 730881") << region << "730881" << 33;
        QTest::newRow("region digits 01") << region << "730100" << 16;
        QTest::newRow("region digits 05") << region << "730500" << 20;
        QTest::newRow("region digits 17") << region << "731700" << 32;
        QTest::newRow("region empty") << region << "" << 15;
        QTest::newRow("region two digits") << region << "73" << 15;
        QTest::newRow("region three digits") << region << "123" << 18;
        QTest::newRow("region digits 18 outside") << region << "731800" << none;
        QTest::newRow("region digits 90 outside") << region << "739000" << none;
        QTest::newRow("plan 1100") << plan << "1100.重大科技专项" << 38;
        QTest::newRow("plan 2201-2203") << plan << "2201-2203.科技成果转化" << 41;
        QTest::newRow("plan 3400") << plan << "3400" << 44;
        QTest::newRow("plan 4300") << plan << "4300" << 47;
        QTest::newRow("plan 2105 last") << plan << "2105.高新技术产业化项目" << 49;
        QTest::newRow("plan 2202") << plan << "2202" << none;
        QTest::newRow("plan empty") << plan << "" << none;
        QTest::newRow("field 11") << field << "11.能源" << 53;
        QTest::newRow("field 23") << field << "23" << 65;
        QTest::newRow("field 10") << field << "10" << none;
        QTest::newRow("field 24") << field << "24" << none;
        QTest::newRow("competent 01") << competent << "01省发展和改革委员会" << 69;
        QTest::newRow("competent 80") << competent << "80" << 148;
        QTest::newRow("competent 81") << competent << "81" << 149;
        QTest::newRow("competent 99") << competent << "99其他" << 149;
        QTest::newRow("competent empty") << competent << "" << 149;
    }
    void bandRows()
    {
        QFETCH(Band, band);
        QFETCH(QString, text);
        QFETCH(int, row);
        QCOMPARE(BreakdownRows::rowOf(band, text), row);
    }

    void readings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("whole");
        QTest::addColumn<double>("key");
        QTest::addColumn<double>("raw");
        QTest::newRow("2.9") << "2.9" << 2.0 << 3.0 << 2.9;
        QTest::newRow("12.9") << "12.9" << 12.0 << 13.0 << 12.9;
        QTest::newRow("-2.5") << "-2.5" << -3.0 << -2.0 << -2.5;
        QTest::newRow("2.5 to even") << "2.5" << 2.0 << 2.0 << 2.5;
        QTest::newRow("3.5 to even") << "3.5" << 3.0 << 4.0 << 3.5;
        QTest::newRow("0.5 to even") << "0.5" << 0.0 << 0.0 << 0.5;
        QTest::newRow("item") << "42.贷款不落实 " << 42.0 << 42.0 << 42.0;
        QTest::newRow("3abc") << "3abc" << 3.0 << 3.0 << 3.0;
        QTest::newRow("empty") << "" << 0.0 << 0.0 << 0.0;
        QTest::newRow("key beyond 16 bits") << "99999" << 99999.0 << 99999.0 << 99999.0;
    }
    void readings()
    {
        QFETCH(QString, text);
        QFETCH(double, whole);
        QFETCH(double, key);
        QFETCH(double, raw);
        QCOMPARE(SummaryReadings::wholePart(text), whole);
        QCOMPARE(SummaryReadings::halfEvenKey(text), key);
        QCOMPARE(SummaryReadings::rawAmount(text), raw);
    }

    // Sums pass the 16-bit and single-precision bounds; nothing lands outside the grid.
    void gridKeepsDoubleSums()
    {
        SumGrid grid(22);
        for (int i = 0; i < 40; ++i)
            grid.add(2, 16, 1000);
        QCOMPARE(grid.at(2, 16), 40000.0);
        grid.add(3, 2, 16777216);
        grid.add(3, 2, 1);
        QCOMPARE(grid.at(3, 2), 16777217.0);
        grid.add(4, 2, DBL_MAX);
        grid.add(4, 2, DBL_MAX);
        QCOMPARE(grid.at(4, 2), DBL_MAX);
        grid.add(202, 2, 1);
        grid.add(2, 22, 1);
        grid.add(2, -1, 1);
        QCOMPARE(grid.at(202, 2), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestSummaryEngine)
#include "tst_summaryengine.moc"
