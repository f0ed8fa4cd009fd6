// Band rows, the three readings, the person columns and the grid of the summaries.
#include "breakdownrows.h"
#include "codetables.h"
#include "personcolumns.h"
#include "sumgrid.h"
#include "summarydefinitions.h"
#include "summaryreadings.h"
#include "surveyrecord.h"

#include <QSet>
#include <QTest>
#include <cfloat>
#include <cmath>

class TestSummaryEngine : public QObject
{
    Q_OBJECT

private slots:
    // Every item of a band's code table has a row of its own inside the band's rows.
    void everyTableItemHasItsOwnRow()
    {
        const struct
        {
            BreakdownRows::Band band;
            const char *picker;
            int firstRow, lastRow;
        } tables[] = {{BreakdownRows::UnitNature, "ComboJB25_JB52_JB54", 2, 12},
                      {BreakdownRows::Region, "ComboJB22", 15, 33},
                      {BreakdownRows::PlanCategory, "ComboJB61", 38, 49},
                      {BreakdownRows::TechnicalField, "ComboJB62", 53, 65},
                      {BreakdownRows::CompetentUnit, "ComboJB26", 69, 149}};
        QSet<int> allRows;
        for (const auto &t : tables) {
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

    // The edge cases; a code outside its table never reaches another band's rows.
    void bandRows()
    {
        using B = BreakdownRows;
        const struct
        {
            B::Band band;
            const char *text;
            int row;
        } cases[] = {
            {B::UnitNature, "10.群众团体", 11},
            {B::UnitNature, "99.其他", 12},
            {B::UnitNature, "", 12},
            {B::UnitNature, "11", 12},
            {B::UnitNature, "20", 12},
            {B::Region, "730881", 33},
            {B::Region, "730500", 20},
            {B::Region, "", 15},
            {B::Region, "123", 18},
            {B::Region, "731800", B::NoRow},
            {B::Region, "739000", B::NoRow},
            {B::PlanCategory, "2201-2203.科技成果转化", 41},
            {B::PlanCategory, "3400", 44},
            {B::PlanCategory, "4300", 47},
            {B::PlanCategory, "2105.高新技术产业化项目", 49},
            {B::PlanCategory, "2202", B::NoRow},
            {B::TechnicalField, "10", B::NoRow},
            {B::TechnicalField, "24", B::NoRow},
            {B::TechnicalField, "23", 65},
            {B::CompetentUnit, "80", 148},
            {B::CompetentUnit, "81", 149},
            {B::CompetentUnit, "", 149},
        };
        for (const auto &c : cases)
            QVERIFY2(B::rowOf(c.band, QString::fromUtf8(c.text)) == c.row, c.text);
    }

    // Each plan category has its own row of the band and its own column pair (projects, then
    // amount) in the by-plan summaries, in the order of the sheet.
    void planCategoryRowAndColumns_data()
    {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("countColumn");
        QTest::newRow("1100") << "1100.重大科技专项" << 38 << 4;
        QTest::newRow("2101") << "2101.重大科技攻关" << 39 << 6;
        QTest::newRow("2102") << "2102.重点科技攻关" << 40 << 8;
        QTest::newRow("2201") << "2201-2203.科技成果转化" << 41 << 10;
        QTest::newRow("2300") << "2300.基础与前沿技术研究" << 42 << 12;
        QTest::newRow("2400") << "2400.软科学研究" << 43 << 14;
        QTest::newRow("3400") << "3400" << 44 << 16;
        QTest::newRow("4100") << "4100.杰出青年科学基金" << 45 << 18;
        QTest::newRow("4200") << "4200.杰出人才创新基金" << 46 << 20;
        QTest::newRow("4300") << "4300" << 47 << 22;
        QTest::newRow("5100") << "5100.科技富民强县专项" << 48 << 24;
        QTest::newRow("2105") << "2105.高新技术产业化项目" << 49 << 26;
    }
    void planCategoryRowAndColumns()
    {
        QFETCH(QString, plan);
        QFETCH(int, row);
        QFETCH(int, countColumn);
        QCOMPARE(BreakdownRows::rowOf(BreakdownRows::PlanCategory, plan), row);
        SurveyRecord record;
        record.setValue(u"JB61", plan);
        record.setValue(u"JF1102", QStringLiteral("7"));
        Contributions added;
        SummaryDefinitions::find(QStringLiteral("SumProvincialFundsByPlan"))
            ->step->contributions(record, added);
        QCOMPARE(added.size(), 2);
        QCOMPARE(added[0].column, countColumn);
        QCOMPARE(added[0].value, 1.0);
        QCOMPARE(added[1].column, countColumn + 1);
        QCOMPARE(added[1].value, 7.0);
    }

    void readings()
    {
        const struct
        {
            const char *text;
            double whole, key;
        } cases[] = {
            {"-2.5", -3, -2}, {"2.5", 2, 2}, {"3.5", 3, 4}, {"0.5", 0, 0}, {"99999", 99999, 99999}};
        for (const auto &c : cases) {
            const QString text = QString::fromLatin1(c.text);
            QCOMPARE(SummaryReadings::wholePart(text), c.whole);
            QCOMPARE(SummaryReadings::halfEvenKey(text), c.key);
            QCOMPARE(SummaryReadings::rawAmount(text), text.toDouble());
        }
        // Beyond the double range: no number, so no sum and no column takes it.
        const QString huge = QStringLiteral("1") + QString(400, u'0');
        SumGrid grid(22);
        grid.add(4, 2, SummaryReadings::wholePart(huge));
        grid.add(4, 3, SummaryReadings::rawAmount(QStringLiteral("-") + huge));
        QCOMPARE(grid.at(4, 2), 0.0);
        QCOMPARE(grid.at(4, 3), 0.0);
        QVERIFY(std::isnan(SummaryReadings::halfEvenKey(huge)));
    }

    void personColumns()
    {
        using namespace PersonColumns;
        const struct
        {
            Attribute attribute;
            double key;
            int column;
        } cases[] = {{Sex, 0, 3},           {Sex, 2, 4},           {Title, 9, 8},
                     {Degree, 0, 12},       {BirthYear, 1980, 13}, {BirthYear, 1979, 14},
                     {BirthYear, 1975, 14}, {BirthYear, 1974, 15}, {BirthYear, 1950, 19},
                     {BirthYear, 1949, 20}, {BirthYear, 75, 20}};
        for (const auto &c : cases)
            QCOMPARE(column(c.attribute, c.key), c.column);
    }

    // A sum that is no longer finite, or a cell outside the grid, changes nothing.
    void gridKeepsFiniteSums()
    {
        SumGrid grid(22);
        grid.add(4, 2, DBL_MAX);
        grid.add(4, 2, DBL_MAX);
        grid.add(202, 2, 1);
        grid.add(2, 22, 1);
        QCOMPARE(grid.at(4, 2), DBL_MAX);
        QCOMPARE(grid.at(202, 2) + grid.at(2, 22), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestSummaryEngine)
#include "tst_summaryengine.moc"
