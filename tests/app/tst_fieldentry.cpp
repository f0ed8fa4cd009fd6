#include "codepicker.h"
#include "codetables.h"
#include "pagetables.h"
#include "testwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

Q_DECLARE_METATYPE(Page)

// The entry pages in the window: key moves, digit filters, pickers and leave checks.
class TestFieldEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captionsFit();

    // Moves
    void enterWalk_data();
    void enterWalk();
    void arrowKeys_data();
    void arrowKeys();
    void sharedCaptionStaysLit();

    // Typing
    void digitFilter_data();
    void digitFilter();
    void numberBoxTakesDigitsOnly_data();
    void numberBoxTakesDigitsOnly();
    void descriptionQuotes();

    // Pickers
    void pickWritesWholeItem();
    void regionPickWritesSixDigits();
    void appraisalLevelPick();
    void wheelAndArrowsDoNotPick();
    void typedTextIsWiped();
    void recordMoveHidesPickers();
    void sideFieldLeavesPickerShowing();
    void repickAFieldHoldingAnItem();
    void pickThenMoveToTheNextRecord();
    void leavingAPickerPicksNothing();

    // Leave checks and focus
    void failedCheckRefocuses();
    void twoFailingFieldsOneMessage();
    void buttonPressDuringFailedCheck();
    void duplicateProjectNumber();
    void notAppraisedEmptiesLevel();
    void parkingRunsNoCheck();
    void fillInDateStamp();

private:
    QWidget *box(const char *code) const;
    QString text(const char *code) const;
    void setText(const char *code, const QString &value);
    void open(Page page);
    void focus(const char *code);
    QWidget *focused() const { return QApplication::focusWidget(); }
    void addRecord(const QString &number);
    CodePicker *picker(const char *name) const;
    void clickInto(const char *code);
    void openList(CodePicker *picker);
    void chooseByMouse(CodePicker *picker, int row);
    void chooseByKeys(CodePicker *picker, int row);

    std::unique_ptr<TestWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestFieldEntry::initTestCase()
{
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9)); // as the program does
}

void TestFieldEntry::init()
{
    m_window = std::make_unique<TestWindow>();
    m_prompts = &m_window->prompts;
    QVERIFY2(m_window->load(), qPrintable(m_window->loadError));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(&m_window->form()));
    addRecord(QStringLiteral("201100000001"));
}

void TestFieldEntry::cleanup()
{
    m_prompts = nullptr;
    m_window.reset();
}

QWidget *TestFieldEntry::box(const char *code) const
{
    return m_window->fieldBox(QString::fromLatin1(code));
}

QString TestFieldEntry::text(const char *code) const
{
    return m_window->binder().text(box(code)->objectName());
}

void TestFieldEntry::setText(const char *code, const QString &value)
{
    m_window->binder().setText(box(code)->objectName(), value);
}

void TestFieldEntry::open(Page page)
{
    m_window->pageRing().openPage(page);
    m_window->panel(QStringLiteral("FrameDataList"))->setShown(false);
}

void TestFieldEntry::focus(const char *code)
{
    box(code)->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    QCOMPARE(focused(), box(code));
}

void TestFieldEntry::addRecord(const QString &number)
{
    RecordStore &store = m_window->store();
    QVERIFY(store.addNew());
    QVERIFY(store.setValue(RecordColumns::indexOf(u"JB02"), number));
    QVERIFY(store.update());
}

CodePicker *TestFieldEntry::picker(const char *name) const
{
    return m_window->codePickers().picker(QString::fromLatin1(name));
}

void TestFieldEntry::clickInto(const char *code)
{
    QTest::mouseClick(box(code), Qt::LeftButton);
    QCoreApplication::processEvents();
}

// A click on the picker's arrow, at its right end, opens its list.
void TestFieldEntry::openList(CodePicker *picker)
{
    QTest::mouseClick(picker, Qt::LeftButton, {},
                      QPoint(picker->width() - 4, picker->height() / 2));
    QTRY_VERIFY(picker->view()->isVisible());
    QTest::qWait(50); // the list's window is activated while it is open, as on a screen
}

void TestFieldEntry::chooseByMouse(CodePicker *picker, int row)
{
    openList(picker);
    // Not the opening click's release: the box takes no release until a timer of its own,
    // due by the end of the wait, has run. The wait can end before it has, on a busy machine.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QCoreApplication::processEvents();
    QAbstractItemView *list = picker->view();
    const QRect item = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QCoreApplication::processEvents();
}

void TestFieldEntry::chooseByKeys(CodePicker *picker, int row)
{
    openList(picker);
    QAbstractItemView *list = picker->view();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Every caption, heading and static text shows whole in the place the page gives it.
void TestFieldEntry::captionsFit()
{
    QStringList names;
    for (const CaptionLabel &label : EntryTables::labels())
        names << label.name();
    for (const StaticText &text : EntryTables::staticTexts()) {
        if (text.kind != StaticKind::Balance)
            names << text.nameText();
    }
    for (const QString &name : std::as_const(names)) {
        auto *label = m_window->form().findChild<QLabel *>(name);
        QVERIFY2(label, qPrintable(name));
        const QRect area = label->contentsRect();
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        } else {
            const QFontMetrics metrics(label->font());
            for (const QString &line : label->text().split(u'\n')) {
                QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(name));
                QVERIFY2(metrics.height() * label->text().count(u'\n') + metrics.height() <=
                             area.height() + 2,
                         qPrintable(name));
            }
        }
    }
}

void TestFieldEntry::enterWalk_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("stop");
    QTest::newRow("cover") << Page::Cover << "TBSJ";
    QTest::newRow("table1") << Page::Table1 << "JB83";
    QTest::newRow("table2") << Page::Table2 << "JF4102";
    QTest::newRow("table3") << Page::Table3 << "JL420";
    QTest::newRow("table4") << Page::Table4 << "JG920";
}

// Enter walks the page's fields in the order of its table and stays where Enter has no move.
void TestFieldEntry::enterWalk()
{
    QFETCH(Page, page);
    QFETCH(QString, stop);
    setText("JB06", QStringLiteral("a@b.c"));
    setText("JB82", QStringLiteral("2011-05"));
    open(page);
    const auto fields = EntryTables::fieldsOfPage(page);
    focus(fields.first()->code);
    int i = 1;
    for (; i < fields.size() && fields[i - 1]->codeName() != stop; ++i) {
        QTest::keyClick(focused(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY2(focused() == box(fields[i]->code), fields[i]->code);
    }
    QCOMPARE(focused(), box(qPrintable(stop)));
    const QString before = text(qPrintable(stop));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(focused(), box(qPrintable(stop)));
    QCOMPARE(text(qPrintable(stop)), before);
    QVERIFY(m_prompts->shown.isEmpty());
}

void TestFieldEntry::arrowKeys_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::newRow("JB01 up stays") << Page::Cover << "JB01" << int(Qt::Key_Up) << "JB01";
    QTest::newRow("JB05 down tabs") << Page::Cover << "JB05" << int(Qt::Key_Down) << "JB06";
    QTest::newRow("TBSJ up") << Page::Cover << "TBSJ" << int(Qt::Key_Up) << "JB06";
    QTest::newRow("TBSJ down stays") << Page::Cover << "TBSJ" << int(Qt::Key_Down) << "TBSJ";
    QTest::newRow("JB422 down") << Page::Table1 << "JB422" << int(Qt::Key_Down) << "JB423";
    QTest::newRow("JB433 down") << Page::Table1 << "JB433" << int(Qt::Key_Down) << "JB51";
    QTest::newRow("JB483 down") << Page::Table1 << "JB483" << int(Qt::Key_Down) << "JB52";
    QTest::newRow("JB461 up") << Page::Table1 << "JB461" << int(Qt::Key_Up) << "JB27";
    QTest::newRow("JB411 left stays") << Page::Table1 << "JB411" << int(Qt::Key_Left) << "JB411";
    QTest::newRow("JB82 up") << Page::Table1 << "JB82" << int(Qt::Key_Up) << "JB72_03";
    QTest::newRow("JF1002 right") << Page::Table2 << "JF1002" << int(Qt::Key_Right) << "JF2001";
    QTest::newRow("JF3121 left") << Page::Table2 << "JF3121" << int(Qt::Key_Left) << "JF1202";
    QTest::newRow("JF1601 down stays") << Page::Table2 << "JF1601" << int(Qt::Key_Down) << "JF1601";
    QTest::newRow("JL111 down") << Page::Table3 << "JL111" << int(Qt::Key_Down) << "JL430";
    QTest::newRow("JL420 down stays") << Page::Table3 << "JL420" << int(Qt::Key_Down) << "JL420";
    QTest::newRow("JL200 right stays") << Page::Table3 << "JL200" << int(Qt::Key_Right) << "JL200";
    QTest::newRow("JG902 up") << Page::Table4 << "JG902" << int(Qt::Key_Up) << "JG913";
    QTest::newRow("JG920 down") << Page::Table4 << "JG920" << int(Qt::Key_Down) << "JDCG";
}

void TestFieldEntry::arrowKeys()
{
    QFETCH(Page, page);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    setText("JB06", QStringLiteral("a@b.c"));
    setText("JB82", QStringLiteral("2011-05"));
    open(page);
    focus(qPrintable(from));
    QTest::keyClick(focused(), Qt::Key(key));
    QCoreApplication::processEvents();
    QCOMPARE(focused(), box(qPrintable(to)));
}

void TestFieldEntry::sharedCaptionStaysLit()
{
    const TestWindow &window = *m_window;
    open(Page::Table2);
    focus("JF1001");
    QVERIFY(window.isLit("LabelJF(0)"));
    QTest::keyClick(focused(), Qt::Key_Right);
    QCOMPARE(focused(), box("JF1002"));
    QVERIFY(window.isLit("LabelJF(0)"));
    QTest::keyClick(focused(), Qt::Key_Right);
    QVERIFY(!window.isLit("LabelJF(0)"));
    QVERIFY(window.isLit("LabelJF(8)"));
}

void TestFieldEntry::digitFilter_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("JB24") << Page::Table1 << "JB24"
                          << "1a-.2 3"
                          << "123";
    QTest::newRow("JB63_1") << Page::Table1 << "JB63_1"
                            << "2o11"
                            << "211";
    QTest::newRow("JB82 any") << Page::Table1 << "JB82"
                              << "2011/5"
                              << "2011/5";
    QTest::newRow("JF1001") << Page::Table2 << "JF1001"
                            << "-1.5e"
                            << "15";
    QTest::newRow("JF1001 max 7") << Page::Table2 << "JF1001"
                                  << "123456789"
                                  << "1234567";
    QTest::newRow("JF4001 minus") << Page::Table2 << "JF4001"
                                  << "-120"
                                  << "-120";
    QTest::newRow("JF4001 inner minus") << Page::Table2 << "JF4001"
                                        << "12-0"
                                        << "120";
    QTest::newRow("JF4001 two minus") << Page::Table2 << "JF4001"
                                      << "--5"
                                      << "-5";
    QTest::newRow("JF4001 minus before a minus") << Page::Table2 << "JF4001"
                                                 << "-120⇱-"
                                                 << "-120";
    QTest::newRow("JF4002 any") << Page::Table2 << "JF4002"
                                << "-1.5a"
                                << "-1.5a";
    QTest::newRow("JL300 max 4") << Page::Table3 << "JL300"
                                 << "12345"
                                 << "1234";
    QTest::newRow("JL100 max 3") << Page::Table3 << "JL100"
                                 << "1x2345"
                                 << "123";
    QTest::newRow("JGCSCD any") << Page::Table4 << "JGCSCD"
                                << "1.x"
                                << "1.x";
}

void TestFieldEntry::digitFilter()
{
    QFETCH(Page, page);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    open(page);
    focus(qPrintable(field));
    const QStringList pieces = typed.split(u'⇱'); // "⇱" stands for the Home key
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            QTest::keyClick(focused(), Qt::Key_Home);
        QTest::keyClicks(focused(), pieces[i]);
    }
    QCOMPARE(text(qPrintable(field)), result);
    const int column = RecordColumns::indexOf(field);
    QCOMPARE(m_window->store().value(column), result);
    QTest::keyClick(focused(), Qt::Key_End);
    QTest::keyClick(focused(), Qt::Key_Backspace);
    QCOMPARE(text(qPrintable(field)), result.chopped(1));
}

// Every number box of the pages drops a typed letter; JF4002 alone takes any key.
void TestFieldEntry::numberBoxTakesDigitsOnly_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("field");
    for (const FieldSpec &field : FieldCatalogue::fields()) {
        if (field.kind == FieldKind::Number && field.codeName() != u"JF4002")
            QTest::newRow(field.code) << field.page << field.codeName();
    }
}

void TestFieldEntry::numberBoxTakesDigitsOnly()
{
    QFETCH(Page, page);
    QFETCH(QString, field);
    open(page);
    focus(qPrintable(field));
    QTest::keyClicks(focused(), QStringLiteral("1x2"));
    QCOMPARE(text(qPrintable(field)), QStringLiteral("12"));
}

void TestFieldEntry::descriptionQuotes()
{
    RecordStore &store = m_window->store();
    const int column = RecordColumns::indexOf(u"JDCG");
    // A stored description with line ends of its own is not rewritten by a visit.
    QVERIFY(store.setValue(column, QStringLiteral("a\nb\r\nc")));
    QVERIFY(store.update());
    open(Page::Table4);
    focus("JDCG");
    QVERIFY(m_window->isLit("TextJDCG"));
    focus("JG920");
    QCOMPARE(store.value(column), QStringLiteral("a\nb\r\nc"));
    QVERIFY(!m_window->isLit("TextJDCG"));

    setText("JDCG", QString());
    focus("JDCG");
    QTest::keyClicks(focused(), QStringLiteral("say \"hi\""));
    QCOMPARE(text("JDCG"), QStringLiteral("say 'hi'"));
    static_cast<MultiLineBox *>(box("JDCG"))->insertPlainText(QStringLiteral(" \"pasted\""));
    focus("JG920");
    QCOMPARE(text("JDCG"), QStringLiteral("say 'hi' pasted"));
    QCOMPARE(store.value(column), QStringLiteral("say 'hi' pasted"));
}

void TestFieldEntry::pickWritesWholeItem()
{
    CodePickerSet &set = m_window->codePickers();
    open(Page::Table1);
    setText("JB422", QStringLiteral("x"));
    focus("JB422");
    CodePicker *sex = picker("ComboSex");
    QVERIFY(sex->isVisible());
    QCOMPARE(set.shownPicker(), sex);
    QCOMPARE(set.PickerSlot, qint16(2));
    QCOMPARE(sex->pos(), box("JB422")->pos());
    QCOMPARE(sex->currentText(), QStringLiteral("x"));
    chooseByKeys(sex, 1);
    QCOMPARE(text("JB422"), QStringLiteral("2.女"));
    QCOMPARE(m_window->store().value(RecordColumns::indexOf(u"JB422")), QStringLiteral("2.女"));
    QCOMPARE(focused(), box("JB422"));
    QVERIFY(!sex->isVisible());

    focus("JB72_02");
    chooseByMouse(picker("ComboJB72"), 5);
    QCOMPARE(text("JB72_02"), QStringLiteral("42.贷款不落实 "));
    // The third field of a shared picker: the third person's sex, the third delay reason, the
    // second partner's unit nature.
    const struct
    {
        const char *field;
        const char *picker;
        int row;
        const char *item;
    } thirds[] = {{"JB423", "ComboSex", 0, "1.男"},
                  {"JB72_03", "ComboJB72", 6, "50.市场变化"},
                  {"JB54", "ComboJB25_JB52_JB54", 1, "02.转制为企业的科研院所"}};
    for (const auto &third : thirds) {
        focus(third.field);
        chooseByMouse(picker(third.picker), third.row);
        QCOMPARE(text(third.field), QString::fromUtf8(third.item));
    }
    // A shared picker picked with a slot outside its fields writes nothing.
    focus("JB72_01");
    set.PickerSlot = 0;
    chooseByMouse(picker("ComboJB72"), 0);
    QCOMPARE(text("JB72_01"), QString());
    QVERIFY(!picker("ComboJB72")->isVisible());
}

void TestFieldEntry::regionPickWritesSixDigits()
{
    open(Page::Table1);
    focus("JB22");
    CodePicker *region = picker("ComboJB22");
    QCOMPARE(region->width(), box("JB22")->width());
    chooseByKeys(region, 17);
    QCOMPARE(text("JB22"), QStringLiteral("730881"));
    focus("JB21");
    focus("JB22");
    chooseByMouse(region, 2);
    QCOMPARE(text("JB22"), QStringLiteral("730300"));
}

void TestFieldEntry::appraisalLevelPick()
{
    open(Page::Table1);
    setText("JB81", QStringLiteral("2.否"));
    focus("JB83");
    chooseByMouse(picker("ComboJB83"), 0);
    QCOMPARE(text("JB83"), QString());
    setText("JB81", QStringLiteral("1.是"));
    focus("JB81");
    focus("JB83");
    chooseByMouse(picker("ComboJB83"), 0);
    QCOMPARE(text("JB83"), QStringLiteral("1.国际领先"));
}

void TestFieldEntry::wheelAndArrowsDoNotPick()
{
    open(Page::Table1);
    focus("JB27");
    CodePicker *activity = picker("ComboJB27");
    QSignalSpy picks(activity, &CodePicker::picked);
    const QPointF at(activity->width() / 2.0, activity->height() / 2.0);
    QWheelEvent wheel(at, activity->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(activity, &wheel);
    activity->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(activity, Qt::Key_Down);
    QTest::keyClick(activity, Qt::Key_Up);
    QTest::keyClick(activity, Qt::Key_Return);
    QCOMPARE(picks.count(), 0);
    QCOMPARE(activity->currentIndex(), -1);
    QCOMPARE(text("JB27"), QString());
}

void TestFieldEntry::typedTextIsWiped()
{
    open(Page::Table1);
    setText("JB61", QStringLiteral("hand"));
    focus("JB61");
    CodePicker *plan = picker("ComboJB61");
    QCOMPARE(plan->currentText(), QStringLiteral("hand"));
    plan->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(plan, QStringLiteral("ab"));
    QCOMPARE(plan->currentText(), QString());
    QCOMPARE(text("JB61"), QStringLiteral("hand"));
}

void TestFieldEntry::recordMoveHidesPickers()
{
    addRecord(QStringLiteral("201100000002"));
    open(Page::Table1);
    focus("JB26");
    QVERIFY(picker("ComboJB26")->isVisible());
    QVERIFY(m_window->store().moveFirst());
    QCOMPARE(m_window->codePickers().shownPicker(), nullptr);
}

void TestFieldEntry::sideFieldLeavesPickerShowing()
{
    open(Page::Table1);
    focus("JB62");
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(focused(), box("JB63_1"));
    QVERIFY(picker("ComboJB62")->isVisible());
    focus("JB64");
    QCOMPARE(m_window->codePickers().shownPicker(), picker("ComboJB64"));
    focus("JB411");
    QCOMPARE(m_window->codePickers().shownPicker(), nullptr);
}

// A field that holds an item is picked anew, by mouse and by keys.
void TestFieldEntry::repickAFieldHoldingAnItem()
{
    setText("JB81", QStringLiteral("1.是"));
    open(Page::Table1);
    clickInto("JB81");
    chooseByMouse(picker("ComboJB81"), 1);
    QCOMPARE(text("JB81"), QStringLiteral("2.否"));
    QCOMPARE(focused(), box("JB81"));
    clickInto("JB83");
    clickInto("JB81");
    chooseByKeys(picker("ComboJB81"), 0);
    QCOMPARE(m_window->store().value(RecordColumns::indexOf(u"JB81")), QStringLiteral("1.是"));
    QVERIFY(m_prompts->shown.isEmpty());
}

// A pick lands in the record current when the list opened, and nowhere else.
void TestFieldEntry::pickThenMoveToTheNextRecord()
{
    addRecord(QStringLiteral("201100000002"));
    QVERIFY(m_window->store().moveFirst());
    open(Page::Table1);
    clickInto("JB25");
    CodePicker *nature = picker("ComboJB25_JB52_JB54");
    chooseByMouse(nature, 4);
    clickInto("JB24");
    clickInto("JB25");
    QTest::mouseClick(nature->lineEdit(), Qt::LeftButton);
    QTest::mouseClick(m_window->dataControl()->findChild<QToolButton *>(QStringLiteral("next")),
                      Qt::LeftButton);
    QTest::qWait(20);
    QCOMPARE(m_window->store().absolutePosition(), 2);
    QCOMPARE(text("JB25"), QString());
    QCOMPARE(m_window->store().row(0).value(u"JB25"), QStringLiteral("05.政府机关"));
}

// Leaving a picker's text part for another field picks nothing and leaves the focus there.
void TestFieldEntry::leavingAPickerPicksNothing()
{
    setText("JB27", QStringLiteral("2.应用研究"));
    open(Page::Table1);
    clickInto("JB27");
    QTest::mouseClick(picker("ComboJB27")->lineEdit(), Qt::LeftButton);
    clickInto("JB21");
    QTest::keyClicks(focused(), QStringLiteral("Z"));
    QCOMPARE(text("JB21"), QStringLiteral("Z"));
    QCOMPARE(m_window->store().value(RecordColumns::indexOf(u"JB27")),
             QStringLiteral("2.应用研究"));
}

void TestFieldEntry::failedCheckRefocuses()
{
    open(Page::Cover);
    setText("JB02", QStringLiteral("12345"));
    focus("JB02");
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_COMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->lastText(), QStringLiteral("项目编号格式错误。"));
    QCOMPARE(m_prompts->shown.last().title, QStringLiteral("澜梧省科技计划项目执行情况年度调查"));
    QCOMPARE(m_prompts->shown.last().icon, MessageIcon::Information);
    QCOMPARE(focused(), box("JB02"));
    QVERIFY(m_window->isLit("LabelFM(1)"));
    QVERIFY(!m_window->isLit("LabelFM(2)"));

    setText("JB02", QStringLiteral("201100000009"));
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_COMPARE(focused(), box("ZGDW"));
    QVERIFY(!m_window->isLit("LabelFM(1)"));
    QCOMPARE(m_prompts->shown.size(), 1);

    open(Page::Table1);
    setText("JB81", QStringLiteral("1.是"));
    setText("JB63_1", QStringLiteral("2012"));
    setText("JB82", QStringLiteral("2011-05"));
    focus("JB82");
    QTest::keyClick(focused(), Qt::Key_Down);
    QTRY_COMPARE(m_prompts->shown.size(), 2);
    QCOMPARE(m_prompts->lastText(), QStringLiteral("鉴定日期格式或时间有误。"));
    QCOMPARE(focused(), box("JB82"));
}

// JB02 and JB06 both fail: one message, and the focus goes back to the field left first.
void TestFieldEntry::twoFailingFieldsOneMessage()
{
    open(Page::Cover);
    setText("JB02", QStringLiteral("1"));
    setText("JB06", QString());
    focus("JB02");
    QTest::mouseClick(box("JB06"), Qt::LeftButton);
    QTRY_COMPARE(focused(), box("JB02"));
    QTest::qWait(50);
    QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("项目编号格式错误。")});
    QVERIFY(!m_window->isLit("LabelFM(7)"));

    // Fixed, the number lets the focus go; then the e-mail refuses on its own.
    setText("JB02", QStringLiteral("201100000009"));
    QTest::mouseClick(box("JB06"), Qt::LeftButton);
    QCOMPARE(focused(), box("JB06"));
    QTest::mouseClick(box("JB02"), Qt::LeftButton);
    QTRY_COMPARE(m_prompts->shown.size(), 2);
    QTest::qWait(50);
    QCOMPARE(m_prompts->lastText(), QStringLiteral("Email地址格式错误。"));
    QCOMPARE(m_prompts->shown.size(), 2);
    QCOMPARE(focused(), box("JB06"));
}

void TestFieldEntry::buttonPressDuringFailedCheck()
{
    open(Page::Cover);
    setText("JB06", QStringLiteral("x"));
    focus("JB06");
    QPushButton *next = m_window->button(QStringLiteral("CommandBackCover"));
    QSignalSpy clicks(next, &QPushButton::clicked);
    QTest::mousePress(next, Qt::LeftButton);
    QTRY_COMPARE(m_prompts->shown.size(), 1);
    QVERIFY(!next->isDown());
    QTest::mouseRelease(next, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(focused(), box("JB06"));
    QVERIFY(m_window->panel(QStringLiteral("FrameCover"))->isOpen());
}

void TestFieldEntry::duplicateProjectNumber()
{
    addRecord(QStringLiteral("201100000002"));
    open(Page::Cover);
    focus("JB02");
    setText("JB02", QStringLiteral("201100000001"));
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_COMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->lastText(), QStringLiteral("项目编号已存在，请核对。"));
    QCOMPARE(focused(), box("JB02"));
    // Its own number is no duplicate.
    setText("JB02", QStringLiteral("201100000002"));
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_COMPARE(focused(), box("ZGDW"));
    QCOMPARE(m_prompts->shown.size(), 1);
}

void TestFieldEntry::notAppraisedEmptiesLevel()
{
    open(Page::Table1);
    setText("JB81", QStringLiteral("2.否"));
    setText("JB83", QStringLiteral("1.国际领先"));
    setText("JB82", QString());
    focus("JB82");
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_COMPARE(focused(), box("JB83"));
    QCOMPARE(text("JB83"), QString());
    QVERIFY(m_prompts->shown.isEmpty());
    QVERIFY(!m_window->isLit("LabelJB(32)"));
}

void TestFieldEntry::parkingRunsNoCheck()
{
    open(Page::Cover);
    setText("JB02", QStringLiteral("1"));
    focus("JB02");
    m_window->pageRing().closePage(Page::Cover);
    QTest::qWait(20);
    QVERIFY(m_prompts->shown.isEmpty());
    QVERIFY(!m_window->isLit("LabelFM(1)"));
}

void TestFieldEntry::fillInDateStamp()
{
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const int column = RecordColumns::indexOf(u"TBSJ");
    setText("JB06", QStringLiteral("a@b.c"));
    setText("TBSJ", QStringLiteral("2000-01-01"));
    open(Page::Cover);
    focus("JB06");
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_COMPARE(focused(), box("TBSJ"));
    QCOMPARE(text("TBSJ"), today);
    QCOMPARE(m_window->store().value(column), today);

    // A typed date stays until the field is entered again from inside the window.
    setText("TBSJ", QStringLiteral("2011-01-02"));
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(box("TBSJ"), &out);
    QApplication::sendEvent(box("TBSJ"), &in);
    QCOMPARE(text("TBSJ"), QStringLiteral("2011-01-02"));
    QTest::keyClick(focused(), Qt::Key_Up);
    QCOMPARE(focused(), box("JB06"));
    QCOMPARE(text("TBSJ"), QStringLiteral("2011-01-02"));
    QTest::keyClick(focused(), Qt::Key_Down);
    QTRY_COMPARE(focused(), box("TBSJ"));
    QCOMPARE(text("TBSJ"), today);
}

QTEST_MAIN(TestFieldEntry)
#include "tst_fieldentry.moc"
