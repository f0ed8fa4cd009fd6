#include "codetables.h"
#include "fieldcatalogue.h"
#include "fieldchecks.h"
#include "pagetables.h"
#include "vbtext.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(Page)

// The page tables and code tables against the field catalogue and against themselves.
class TestEntryTables : public QObject
{
    Q_OBJECT

private slots:
    // Field rows
    void fieldsPerPage_data();
    void fieldsPerPage();
    void sameFieldsAsCatalogue();
    void arrowTargetsStayOnPage();
    void leftAndRightAreInverse();
    void captionLabelsExist();
    void focusStepsMatchPickers();

    // Code tables
    void pickerItemCounts_data();
    void pickerItemCounts();
    void pickersServeThirtyTwoFields();
    void itemsFitTheirFields();
    void numericReadingGivesTheCode();
    void regionAndCompetentUnitCodes();
    void sharedPickerTargets();

    // Leave checks
    void projectNumber_data();
    void projectNumber();
    void email_data();
    void email();
    void appraisalDate_data();
    void appraisalDate();
    void quotesAndDate();
};

void TestEntryTables::fieldsPerPage_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("cover") << Page::Cover << 9 << "JB01"
                           << "TBSJ";
    QTest::newRow("table1") << Page::Table1 << 48 << "JB21"
                            << "JB83";
    QTest::newRow("table2") << Page::Table2 << 32 << "JF1001"
                            << "JF4102";
    QTest::newRow("table3") << Page::Table3 << 18 << "JL100"
                            << "JL420";
    QTest::newRow("table4") << Page::Table4 << 26 << "JG131"
                            << "JDCG";
}

void TestEntryTables::fieldsPerPage()
{
    QFETCH(Page, page);
    QFETCH(int, count);
    const auto fields = EntryTables::fieldsOfPage(page);
    QCOMPARE(fields.size(), count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QCOMPARE(fields.first()->codeName(), first);
    QCOMPARE(fields.last()->codeName(), last);
    // The last field of every page sends no tab on Enter.
    QVERIFY(!fields.last()->enterTab);
}

void TestEntryTables::sameFieldsAsCatalogue()
{
    QCOMPARE(EntryTables::fields().size(), FieldCatalogue::BoundFieldCount);
    QSet<QString> seen;
    for (const EntryField &f : EntryTables::fields()) {
        QVERIFY2(!seen.contains(f.codeName()), f.code);
        seen.insert(f.codeName());
        const FieldSpec *def = FieldCatalogue::field(f.codeName());
        QVERIFY2(def, f.code);
        QCOMPARE(f.page, def->page);
        QCOMPARE(f.maxLength, def->maxLength);
        if (f.labelArray) {
            QCOMPARE(QString::fromLatin1(f.labelArray), QString::fromLatin1(def->labelArray));
            QCOMPARE(f.labelIndex, def->labelIndex);
        }
        QCOMPARE(f.rightAligned, def->kind == FieldKind::Number || f.codeName() == "JGCSCD");
        const bool digits = f.filter != KeyFilter::None;
        if (def->kind == FieldKind::Digits)
            QVERIFY2(digits, f.code);
        QCOMPARE(EntryTables::field(f.codeName()), &f);
    }
}

void TestEntryTables::arrowTargetsStayOnPage()
{
    for (const EntryField &f : EntryTables::fields()) {
        for (const char *target : {f.arrows.down, f.arrows.up, f.arrows.left, f.arrows.right}) {
            if (!target || EntryTables::isTab(target))
                continue;
            const EntryField *to = EntryTables::field(QString::fromLatin1(target));
            QVERIFY2(to, target);
            QVERIFY2(to->page == f.page, f.code);
        }
    }
}

void TestEntryTables::leftAndRightAreInverse()
{
    for (const EntryField &f : EntryTables::fields()) {
        if (f.arrows.right) {
            const EntryField *to = EntryTables::field(QString::fromLatin1(f.arrows.right));
            QVERIFY2(to && to->arrows.left && qstrcmp(to->arrows.left, f.code) == 0, f.code);
        }
        if (f.arrows.left) {
            const EntryField *to = EntryTables::field(QString::fromLatin1(f.arrows.left));
            QVERIFY2(to && to->arrows.right && qstrcmp(to->arrows.right, f.code) == 0, f.code);
        }
    }
}

void TestEntryTables::captionLabelsExist()
{
    for (const EntryField &f : EntryTables::fields()) {
        if (!f.labelArray) {
            QCOMPARE(f.codeName(), QStringLiteral("JDCG"));
            continue;
        }
        const CaptionLabel *label =
            EntryTables::label(QString::fromLatin1(f.labelArray), f.labelIndex);
        QVERIFY2(label, f.code);
        QCOMPARE(label->page, f.page);
        // The page prints the catalogue's caption, indented by blanks where the form does.
        QCOMPARE(label->captionText().trimmed(),
                 FieldCatalogue::field(f.codeName())->captionText());
    }
    QSet<QString> names;
    for (const CaptionLabel &l : EntryTables::labels())
        names.insert(l.name());
    QCOMPARE(names.size(), EntryTables::labels().size());
    QCOMPARE(names.size(), 9 + 30 + 16 + 18 + 26);
    QVERIFY(!names.contains("LabelJB(1)"));
    QCOMPARE(EntryTables::label(u"LabelJF", 1)->captionText(),
             QStringLiteral("    中央拨款(千元)JF170"));
    QCOMPARE(EntryTables::label(u"LabelJL", 6)->captionText(),
             QString(14, u' ') + QStringLiteral("高级职称人员中女性数(人)JL121"));
}

void TestEntryTables::focusStepsMatchPickers()
{
    int withPicker = 0;
    for (const EntryField &f : EntryTables::fields()) {
        int slot = -1;
        const CodePickerSpec *picker = CodeTables::pickerOfField(f.codeName(), &slot);
        if (f.onFocus == FocusStep::Picker) {
            ++withPicker;
            QVERIFY2(picker, f.code);
            QCOMPARE(QString::fromLatin1(f.picker), picker->nameText());
            QCOMPARE(f.slot, slot);
            QCOMPARE(picker->page, f.page);
        } else {
            QVERIFY2(!picker, f.code);
        }
    }
    QCOMPARE(withPicker, 32);
    QCOMPARE(EntryTables::field(u"TBSJ")->onFocus, FocusStep::StampDate);
    QCOMPARE(EntryTables::field(u"JDCG")->onFocus, FocusStep::Hide);
    QCOMPARE(EntryTables::field(u"JG710")->onFocus, FocusStep::None);
}

void TestEntryTables::pickerItemCounts_data()
{
    QTest::addColumn<QString>("picker");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("position");
    const struct
    {
        const char *name;
        int items;
        int fields;
    } rows[] = {{"ComboEducational_Background", 5, 3},
                {"ComboDegree", 4, 3},
                {"ComboSex", 2, 3},
                {"ComboJB62", 13, 1},
                {"ComboJB26", 81, 1},
                {"ComboJB64", 4, 1},
                {"ComboJB27", 6, 1},
                {"ComboJB65", 13, 1},
                {"ComboJB22", 18, 1},
                {"ComboTitle", 4, 3},
                {"ComboJB71", 5, 1},
                {"ComboType", 3, 3},
                {"ComboJB72", 11, 3},
                {"ComboJB25_JB52_JB54", 11, 3},
                {"ComboJB81", 2, 1},
                {"ComboJB61", 10, 1},
                {"ComboJB83", 6, 1},
                {"ComboJGCSCD", 4, 1}};
    int position = 0;
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << r.items << r.fields << position++;
}

void TestEntryTables::pickerItemCounts()
{
    QFETCH(QString, picker);
    QFETCH(int, items);
    QFETCH(int, fields);
    const CodePickerSpec *def = CodeTables::picker(picker);
    QVERIFY(def);
    QCOMPARE(def->items.size(), items);
    QCOMPARE(def->fields.size(), fields);
    QCOMPARE(QSet<QString>(def->items.begin(), def->items.end()).size(), items);
    // The rows above are in the order of the set, the order in which the pickers are hidden.
    QFETCH(int, position);
    QCOMPARE(CodeTables::pickers().at(position).nameText(), picker);
}

void TestEntryTables::pickersServeThirtyTwoFields()
{
    QCOMPARE(CodeTables::pickers().size(), CodeTables::PickerCount);
    QSet<QString> served;
    for (const CodePickerSpec &p : CodeTables::pickers())
        for (const QString &f : p.fields)
            served.insert(f);
    QCOMPARE(served.size(), 32);
}

void TestEntryTables::itemsFitTheirFields()
{
    for (const CodePickerSpec &p : CodeTables::pickers()) {
        for (const QString &field : p.fields) {
            const int max = EntryTables::field(field)->maxLength;
            for (const QString &item : p.items)
                QVERIFY2(p.pickedText(item).size() <= max, qPrintable(field + ' ' + item));
        }
    }
}

void TestEntryTables::numericReadingGivesTheCode()
{
    for (const CodePickerSpec &p : CodeTables::pickers()) {
        for (const QString &item : p.items) {
            int digits = 0;
            while (digits < item.size() && item.at(digits).isDigit())
                ++digits;
            QVERIFY2(digits >= 1, qPrintable(item));
            const double code = item.left(digits).toDouble();
            QCOMPARE(VbText::numericValue(item), code);
            QCOMPARE(VbText::numericValue(p.pickedText(item)), code);
        }
    }
    QCOMPARE(VbText::numericValue(CodeTables::items(u"ComboJB61").at(4)), 2201.0);
    QCOMPARE(CodeTables::items(u"ComboJB72").at(5), QStringLiteral("42.贷款不落实 "));
}

void TestEntryTables::regionAndCompetentUnitCodes()
{
    const CodePickerSpec *region = CodeTables::picker(u"ComboJB22");
    QVERIFY(region->writesCodeOnly);
    for (int i = 0; i < 18; ++i) {
        const QString item = region->items[i];
        const int code = i < 17 ? 730000 + (i + 1) * 100 : 730881;
        QVERIFY2(item.size() <= 10, qPrintable(item));
        QCOMPARE(region->pickedText(item), QString::number(code));
    }
    const QStringList units = CodeTables::items(u"ComboJB26");
    for (int i = 0; i < 81; ++i) {
        const int code = i < 80 ? i + 1 : 99;
        QVERIFY2(units[i].size() <= 16, qPrintable(units[i]));
        QCOMPARE(units[i].left(2), QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0')));
        QVERIFY(units[i].at(2) != u'.');
    }
}

void TestEntryTables::sharedPickerTargets()
{
    const CodePickerSpec *sex = CodeTables::picker(u"ComboSex");
    QCOMPARE(sex->targetField(2), QStringLiteral("JB422"));
    QVERIFY(sex->targetField(0).isEmpty());
    QVERIFY(sex->targetField(4).isEmpty());
    QCOMPARE(CodeTables::picker(u"ComboJB81")->targetField(3), QStringLiteral("JB81"));
    int slot = 0;
    QCOMPARE(CodeTables::pickerOfField(u"JB54", &slot)->nameText(),
             QStringLiteral("ComboJB25_JB52_JB54"));
    QCOMPARE(slot, 3);
}

void TestEntryTables::projectNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("11") << "12345678901" << false;
    QTest::newRow("12 digits") << "123456789012" << true;
    QTest::newRow("12 letters") << "abcdefghijkl" << true;
    QTest::newRow("13") << "1234567890123" << false;
    QTest::newRow("12 CJK") << "项目项目项目项目项目项目" << true;
}

void TestEntryTables::projectNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(FieldChecks::projectNumberFormat(text), passes);
}

void TestEntryTables::email_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no @") << "abc" << false;
    QTest::newRow("a@b") << "a@b" << true;
    QTest::newRow("@ first") << "@ab" << false;
    QTest::newRow("@ last") << "ab@" << false;
    QTest::newRow("@ only") << "@" << false;
    QTest::newRow("@ at 1 and 3") << "@a@b" << true;
    QTest::newRow("@ at 1 and 4") << "@ab@" << false;
    QTest::newRow("address") << "lanwu@kjt.gov" << true;
}

void TestEntryTables::email()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(FieldChecks::emailAddress(text), passes);
}

void TestEntryTables::appraisalDate_data()
{
    using A = FieldChecks::Appraisal;
    QTest::addColumn<QString>("jb81");
    QTest::addColumn<QString>("jb82");
    QTest::addColumn<QString>("start");
    QTest::addColumn<A>("result");
    QTest::newRow("not appraised") << "2.否"
                                   << ""
                                   << "" << A::NotAppraised;
    QTest::newRow("not appraised, any date") << "2.否"
                                             << "xx"
                                             << "2012" << A::NotAppraised;
    QTest::newRow("empty") << "1.是"
                           << ""
                           << "" << A::Fail;
    QTest::newRow("slash") << "1.是"
                           << "2011/05"
                           << "" << A::Fail;
    QTest::newRow("no start") << "1.是"
                              << "2011-05"
                              << "" << A::Pass;
    QTest::newRow("start 2010") << "1.是"
                                << "2011-05"
                                << "2010" << A::Pass;
    QTest::newRow("start 2011") << "1.是"
                                << "2011-05"
                                << "2011" << A::Pass;
    QTest::newRow("start 2012") << "1.是"
                                << "2011-05"
                                << "2012" << A::Fail;
    QTest::newRow("JB81 empty") << ""
                                << "2011-05"
                                << "" << A::Pass;
    QTest::newRow("month unchecked") << "1.是"
                                     << "2011-13"
                                     << "2011" << A::Pass;
    QTest::newRow("short") << "1.是"
                           << "2011-"
                           << "" << A::Pass;
    QTest::newRow("four chars") << "1.是"
                                << "2011"
                                << "" << A::Fail;
}

void TestEntryTables::appraisalDate()
{
    using A = FieldChecks::Appraisal;
    QFETCH(QString, jb81);
    QFETCH(QString, jb82);
    QFETCH(QString, start);
    QFETCH(A, result);
    QCOMPARE(FieldChecks::appraisalDate(jb81, jb82, start), result);
}

void TestEntryTables::quotesAndDate()
{
    QCOMPARE(FieldChecks::withoutQuotes(QStringLiteral("a\"b'c\r\n\"")),
             QStringLiteral("ab'c\r\n"));
    QCOMPARE(FieldChecks::fillInDate(QDate(2011, 3, 7)), QStringLiteral("2011-03-07"));
}

QTEST_APPLESS_MAIN(TestEntryTables)
#include "tst_entrytables.moc"
