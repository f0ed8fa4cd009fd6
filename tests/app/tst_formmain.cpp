#include "captions.h"
#include "controltable.h"
#include "passingrecord.h"
#include "qtprompts.h"
#include "testrecords.h"
#include "testwindow.h"
#include "twips.h"
#include "watchedfifo.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>

class TestFormMain : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<TestWindow> openWindow(const QString &folder)
    {
        auto window = std::make_unique<TestWindow>(folder);
        if (!window->load())
            return nullptr;
        window->form().show();
        return window;
    }

    static int visibleMainButtons(TestWindow &form)
    {
        int count = 0;
        for (const char *name : {"CommandEditData", "CommandCheck", "CommandAddData",
                                 "CommandExcel", "CommandEachItem", "CommandReports",
                                 "CommandDataInit", "CommandSum", "CommandItem", "CommandEnd"}) {
            if (form.button(QString::fromLatin1(name))->isVisible())
                ++count;
        }
        return count;
    }

private slots:
    // Every control the commands name in their tables is a control of the window.
    void everyControlOfTheCommandTablesIsThere()
    {
        TestWindow window;
        QCOMPARE(ControlTable::unmatchedNames(), QStringList());
    }

    void startsWithTitleAndBindings()
    {
        QTemporaryDir dir;
        auto window = openWindow(dir.path());
        QVERIFY(window);
        TestWindow &form = *window;
        QCOMPARE(form.form().windowTitle(),
                 QStringLiteral("澜梧省科技计划项目执行情况年度调查(2011)"));
        QCOMPARE(form.binder().bindingCount(), 135);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("wobzel2011.db"))));
        for (const char *name :
             {"FrameDataList", "FrameCover", "Frame1", "Frame2", "Frame3", "Frame4"}) {
            QVERIFY(form.panel(QString::fromLatin1(name)));
            QVERIFY(!form.panel(QString::fromLatin1(name))->isVisible());
        }
        QCOMPARE(form.dataControl()->caption(), QStringLiteral("0000/0000"));
    }

    // Only a regular file there offers the summary commands; a FIFO or a folder is not even
    // opened (a FIFO would hold the start until something wrote to it).
    void probeDecidesTheSummaryButtons_data()
    {
        QTest::addColumn<QString>("probed"); // what stands at the template's name
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("endTop");
        QTest::newRow("without template") << "nothing" << 8 << 5280;
        QTest::newRow("with template") << "file" << 10 << 6480;
        QTest::newRow("FIFO") << "fifo" << 8 << 5280;
        QTest::newRow("folder") << "folder" << 8 << 5280;
    }
    void probeDecidesTheSummaryButtons()
    {
        QFETCH(QString, probed);
        QFETCH(int, buttons);
        QFETCH(int, endTop);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("人才培养情况.xls"));
        std::optional<WatchedFifo> fifo;
        if (probed == u"file")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        if (probed == u"fifo")
            QVERIFY(fifo.emplace(path).made());
        if (probed == u"folder")
            QVERIFY(QDir().mkdir(path));
        auto window = openWindow(dir.path());
        QVERIFY(window);
        QCOMPARE(visibleMainButtons(*window), buttons);
        QCOMPARE(window->button(QStringLiteral("CommandEnd"))->y(), Twips::px(endTop));
        QCOMPARE(window->form().findChild<QLabel *>(QStringLiteral("ImageSum"))->isVisible(),
                 buttons == 10);
    }

    void refusesADatabaseItCannotUse()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("wobzel2011.db")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2048, 'z'));
        file.close();
        TestWindow form(dir.path());
        QVERIFY(!form.load());
        QVERIFY(!form.loadError.isEmpty());
    }

    void positionCaptionFollowsMoves()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}, {"3", "c"}}));
        auto window = openWindow(dir.path());
        RecordStore &store = window->store();
        QVERIFY(store.moveTo(2));
        QCOMPARE(window->dataControl()->caption(), QStringLiteral("3/3"));
        QVERIFY(store.moveNext());
        QCOMPARE(window->dataControl()->caption(), QStringLiteral("-3/3"));
    }

    void positionCaptionOfTheOnlyProject()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        auto window = openWindow(dir.path());
        QCOMPARE(window->dataControl()->caption(), QStringLiteral("1/1"));
    }

    void numberBoxVisitKeepsTheStoredValue()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}}));
        {
            RecordStore store;
            QVERIFY(store.open(dir.path()));
            store.setValue(RecordColumns::indexOf(u"JF1001"), QStringLiteral("12.5"));
        }
        {
            auto window = openWindow(dir.path());
            TestWindow &form = *window;
            form.pageRing().openPage(Page::Table2);
            FieldBox *box = form.lineBox(QStringLiteral("TextJF1001"));
            QCOMPARE(box->text(), QStringLiteral("13"));
            box->setFocus();
            form.lineBox(QStringLiteral("TextJF1002"))->setFocus();
            QVERIFY(form.store().moveNext());
            QVERIFY(form.store().moveFirst());
            QCOMPARE(box->text(), QStringLiteral("13"));
        }
        RecordStore again;
        QVERIFY(again.open(dir.path()));
        QCOMPARE(again.current().value(u"JF1001"), QStringLiteral("12.5"));
    }

    void longValuesAreShownWholeButTypingIsLimited()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        const QString longName(100, u'名');
        form.store().setValue(0, longName); // as an appended file would
        FieldBox *box = form.lineBox(QStringLiteral("TextJB01"));
        QCOMPARE(box->text(), longName);
        QCOMPARE(form.lineBox(QStringLiteral("TextItemName"))->text(), longName);
        form.pageRing().openPage(Page::Cover);
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, QStringLiteral("xyz"));
        QCOMPARE(form.store().current().value(0), longName);
        box->backspace();
        QCOMPARE(form.store().current().value(0), longName.left(99));
        box->clear();
        QTest::keyClicks(box->window()->focusWidget(), QString(85, u'a'));
        QCOMPARE(form.store().current().value(0), QString(80, u'a'));
    }

    void tabLeavesTheDescriptionBox()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        QApplication::setActiveWindow(&form.form());
        form.pageRing().openPage(Page::Table4);
        QWidget *description = form.binder().box(QStringLiteral("TextJDCG"));
        description->setFocus();
        QTest::keyClick(description, Qt::Key_Tab);
        QVERIFY(!description->hasFocus());
        QCOMPARE(form.store().current().value(u"JDCG"), QString());
    }

    void boxesWithoutACurrentRowAreEmptyAndReadOnly()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        FieldBox *name = form.lineBox(QStringLiteral("TextJB01"));
        QCOMPARE(name->text(), QStringLiteral("a"));
        QVERIFY(!name->isReadOnly());
        QVERIFY(form.store().moveNext());
        QCOMPARE(name->text(), QString());
        QVERIFY(name->isReadOnly());
        QVERIFY(form.store().moveFirst());
        QVERIFY(form.store().deleteCurrent());
        QVERIFY(name->isReadOnly());
        QCOMPARE(form.lineBox(QStringLiteral("TextItemNo"))->text(), QString());
    }

    void pageRingTargetsAndFocus_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("focus");
        QTest::newRow("cover next") << int(Page::Cover) << true << "Frame1"
                                    << "TextJB21";
        QTest::newRow("cover previous") << int(Page::Cover) << false << "Frame4"
                                        << "TextJG131";
        QTest::newRow("table 1 next") << int(Page::Table1) << true << "Frame2"
                                      << "TextJF1001";
        QTest::newRow("table 1 previous") << int(Page::Table1) << false << "FrameCover"
                                          << "TextJB01";
        QTest::newRow("table 2 next") << int(Page::Table2) << true << "Frame3"
                                      << "TextJL100";
        QTest::newRow("table 2 previous") << int(Page::Table2) << false << "Frame1"
                                          << "TextJB21";
        QTest::newRow("table 3 next") << int(Page::Table3) << true << "Frame4"
                                      << "TextJG131";
        QTest::newRow("table 3 previous") << int(Page::Table3) << false << "Frame2"
                                          << "TextJF1002";
        QTest::newRow("table 4 next") << int(Page::Table4) << true << "FrameCover"
                                      << "TextJB01";
        QTest::newRow("table 4 previous") << int(Page::Table4) << false << "Frame3"
                                          << "TextJL100";
    }
    void pageRingTargetsAndFocus()
    {
        QFETCH(int, from);
        QFETCH(bool, forward);
        QFETCH(QString, opened);
        QFETCH(QString, focus);
        QTemporaryDir dir;
        {
            RecordStore store;
            QVERIFY(store.open(dir.path()));
            QVERIFY(store.addNew());
            const SurveyRecord record = passingRecord();
            for (int c = 0; c < FieldCatalogue::ColumnCount; ++c)
                QVERIFY(store.setValue(c, record.value(c)));
        }
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        QApplication::setActiveWindow(&form.form());
        form.pageRing().openPage(Page(from));
        QVERIFY(form.pageRing().movePage(Page(from), forward));
        QVERIFY(window->prompts.shown.isEmpty());
        int open = 0;
        for (Panel *panel : form.form().findChildren<Panel *>())
            open += panel->isVisible() ? 1 : 0;
        QCOMPARE(open, 1);
        QVERIFY(form.panel(opened)->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void closeReturnsToTheListWithoutACheck()
    {
        QTemporaryDir dir;
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        form.projectCommands().CommandEditData_Click();
        form.projectCommands().CommandEdit_Click();
        QVERIFY(!form.panel(QStringLiteral("FrameDataList"))->isVisible());
        form.pageRing().closePage(Page::Cover);
        QVERIFY(form.panel(QStringLiteral("FrameDataList"))->isVisible());
        QVERIFY(!form.panel(QStringLiteral("FrameCover"))->isVisible());
        QVERIFY(window->prompts.shown.isEmpty());
    }

    void resizeClosesTheOpenPanelAndKeepsEdits()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        form.pageRing().openPage(Page::Cover);
        FieldBox *box = form.lineBox(QStringLiteral("TextJB03"));
        box->setFocus();
        box->insert(QStringLiteral("李四"));
        form.form().resize(form.form().width() + 40, form.form().height() + 30);
        QApplication::processEvents();
        QVERIFY(!form.panel(QStringLiteral("FrameCover"))->isVisible());
        QVERIFY(!box->hasFocus());
        QCOMPARE(form.store().current().value(u"JB03"), QStringLiteral("李四"));
    }

    // Another program holds the database, then takes the row away: a move that cannot store
    // the pending edit says so and keeps the edit, the grid, the header and the boxes on the
    // row.
    void aMoveThatCannotStoreSaysSo()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}, {"2", "b"}}));
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        QApplication::setActiveWindow(&form.form());
        QTest::mouseClick(form.button(QStringLiteral("CommandEditData")), Qt::LeftButton);
        FieldBox *name = form.lineBox(QStringLiteral("TextItemName"));
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("x"));
        OtherConnection other(dir.path());
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));

        QTableView *grid = form.grid();
        const QRect second = grid->visualRect(grid->model()->index(1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
        const QString failure = QStringLiteral("更新数据失败！请检查数据或重新启动系统后重试。");
        QTRY_COMPARE(window->prompts.texts(), QStringList{failure});
        auto onFirstRow = [&] {
            QCOMPARE(form.store().absolutePosition(), 1);
            QCOMPARE(grid->currentIndex().row(), 0);
            QCOMPARE(form.lineBox(QStringLiteral("TextItemNo"))->text(), QStringLiteral("1"));
            QCOMPARE(form.store().current().value(0), QStringLiteral("ax"));
        };
        onFirstRow();

        // The row is gone from the table: storing the edit changes no row.
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        QVERIFY(other.exec(QStringLiteral("DELETE FROM kjxmzxqk WHERE JB02='1'")));
        QTest::mouseClick(form.dataControl()->findChild<QToolButton *>(QStringLiteral("next")),
                          Qt::LeftButton);
        QTRY_COMPARE(window->prompts.texts(), QStringList({failure, failure}));
        onFirstRow();
    }

    // A close that cannot store the edit is refused, unless the user, told that the edit
    // is lost, ends anyway.
    void closingWhenStoringFails()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"201100000001", "a"}}));
        auto window = openWindow(dir.path());
        TestWindow &form = *window;
        QApplication::setActiveWindow(&form.form());
        FieldBox *name = form.lineBox(QStringLiteral("TextItemName"));
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, QStringLiteral("x"));
        QVERIFY(OtherConnection(dir.path())
                    .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kjxmzxqk "
                                         "BEGIN SELECT RAISE(ABORT, 'no'); END")));
        const QStringList told{
            QStringLiteral("更新数据失败！请检查数据或重新启动系统后重试。"),
            QStringLiteral("项目编号为201100000001的项目未保存的修改将会丢失，确认要退出吗？")};
        window->prompts.answers << false;
        QVERIFY(!form.form().close());
        QCOMPARE(window->prompts.texts(), told);
        QVERIFY(form.form().isVisible());
        QCOMPARE(form.store().current().value(0), QStringLiteral("ax"));

        window->prompts.answers << true;
        QTest::mouseClick(form.button(QStringLiteral("CommandEnd")), Qt::LeftButton);
        QVERIFY(!form.form().isVisible());
        QCOMPARE(window->prompts.texts(), told + told);
        QCOMPARE(storedNames(dir.path()), QStringList{"a"});
    }

    // Enter on the question keeps the program: No is the default.
    void theLossQuestionDefaultsToNo()
    {
        QtPrompts prompts;
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        enter.start(20);
        QVERIFY(!prompts.askYesNoDefaultNo(QStringLiteral("确认要退出吗？"), QString()));
        QVERIFY(prompts.askYesNo(QStringLiteral("请指定文件名！！"), QString()));
    }

    void editsAreStoredWhenTheWindowCloses()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        {
            auto window = openWindow(dir.path());
            TestWindow &form = *window;
            form.pageRing().openPage(Page::Cover);
            FieldBox *box = form.lineBox(QStringLiteral("TextJB04"));
            box->setFocus();
            box->insert(QStringLiteral("王五"));
            QVERIFY(form.form().close());
        }
        RecordStore again;
        QVERIFY(again.open(dir.path()));
        QCOMPARE(again.current().value(u"JB04"), QStringLiteral("王五"));
    }
};

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
