#include "fieldcatalogue.h"
#include "surveyrecord.h"

#include <QSet>
#include <QTest>

class TestFieldCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void columnsAreUniqueAndComplete()
    {
        const QStringList &columns = RecordColumns::names();
        QCOMPARE(columns.size(), 137);
        QCOMPARE(QSet<QString>(columns.begin(), columns.end()).size(), 137);
        QCOMPARE(RecordColumns::indexOf(u"JB01"), 0);
        QCOMPARE(RecordColumns::indexOf(u"JB02"), 1);
        QVERIFY(columns.contains(QStringLiteral("JL170")));
        QVERIFY(columns.contains(QStringLiteral("JL180")));
        QCOMPARE(RecordColumns::indexOf(u"JL170"), RecordColumns::indexOf(u"JL160") + 1);
        QCOMPARE(RecordColumns::indexOf(u"NOPE"), -1);
    }

    void boundFieldsFollowTheCatalogue()
    {
        const QVector<FieldSpec> &fields = FieldCatalogue::fields();
        QCOMPARE(fields.size(), 133);
        QSet<QString> codes, boxes;
        for (const FieldSpec &f : fields) {
            codes << f.codeName();
            boxes << f.boxName();
            QVERIFY2(RecordColumns::indexOf(f.codeName()) >= 0, f.code);
            QCOMPARE(FieldCatalogue::field(f.codeName()), &f);
        }
        QCOMPARE(codes.size(), 133);
        QCOMPARE(boxes.size(), 133);
        QVERIFY(boxes.contains(QStringLiteral("TextJf1301")));
        QCOMPARE(FieldCatalogue::field(u"JL170"), nullptr);
        // Bound columns keep the binding order in the record.
        int previous = -1;
        for (const FieldSpec &f : fields) {
            const int at = RecordColumns::indexOf(f.codeName());
            QVERIFY2(at > previous, f.code);
            previous = at;
        }
    }

    void pagesHoldTheirFields_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("count");
        QTest::newRow("cover") << int(Page::Cover) << 9;
        QTest::newRow("table 1") << int(Page::Table1) << 48;
        QTest::newRow("table 2") << int(Page::Table2) << 32;
        QTest::newRow("table 3") << int(Page::Table3) << 18;
        QTest::newRow("table 4") << int(Page::Table4) << 26;
    }
    void pagesHoldTheirFields()
    {
        QFETCH(int, page);
        QFETCH(int, count);
        QCOMPARE(FieldCatalogue::fieldsOfPage(Page(page)).size(), count);
    }

    void recordShowsNumbersAsTheBoxesDo()
    {
        SurveyRecord record;
        record.setValue(u"JF1001", QStringLiteral("12.5"));
        record.setValue(u"JB02", QStringLiteral("012.5"));
        QCOMPARE(record.value(u"JF1001"), QStringLiteral("12.5"));
        QCOMPARE(record.shown(u"JF1001"), QStringLiteral("13"));
        QCOMPARE(record.number(u"JF1001"), 13.0);
        QCOMPARE(record.shown(u"JB02"), QStringLiteral("012.5")); // digits, not a number box
        QCOMPARE(record.values().size(), 137);
    }
};

QTEST_GUILESS_MAIN(TestFieldCatalogue)
#include "tst_fieldcatalogue.moc"
