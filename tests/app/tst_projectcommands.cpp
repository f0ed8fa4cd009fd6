#include "testrecords.h"
#include "testwindow.h"

#include <QApplication>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("澜梧省科技计划项目执行情况年度调查");

struct Window : TestWindow
{
    explicit Window(const QList<QPair<QString, QString>> &projects = {})
    {
        addTestProjects(folder(), projects);
        load();
        show();
    }
    ProjectCommands &commands() { return projectCommands(); }
    QString number() { return store().current().value(1); }
};

} // namespace

class TestProjectCommands : public QObject
{
    Q_OBJECT

private slots:
    void addRefusals_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("projects"); // the first ones of three
        QTest::newRow("cancelled") << ""
                                   << ""
                                   << "200100000001" << 3;
        QTest::newRow("too short") << "20010000001"
                                   << "项目编号格式错误。"
                                   << "200100000001" << 3;
        QTest::newRow("too long") << "2001000000011"
                                  << "项目编号格式错误。"
                                  << "200100000001" << 3;
        QTest::newRow("existing") << "200100000002"
                                  << "项目编号已存在，请核对。"
                                  << "200100000002" << 3;
        QTest::newRow("existing, other zeros") << "000000000003"
                                               << "项目编号已存在，请核对。"
                                               << "3" << 3;
        QTest::newRow("existing, the only project") << "200100000001"
                                                    << "项目编号已存在，请核对。"
                                                    << "200100000001" << 1;
    }
    void addRefusals()
    {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(QString, current);
        QFETCH(int, projects);
        const QList<QPair<QString, QString>> three{
            {"200100000001", "a"}, {"200100000002", "b"}, {"3", "c"}};
        Window w(three.mid(0, projects));
        w.prompts.inputs << answer;
        w.commands().CommandAddItem_Click();
        QCOMPARE(w.store().recordCount(), projects);
        QCOMPARE(w.prompts.shown.first().text, QStringLiteral("请输入新增项目编号"));
        QCOMPARE(w.prompts.shown.size(), message.isEmpty() ? 1 : 2);
        if (!message.isEmpty()) {
            QCOMPARE(w.prompts.lastText(), message);
            QCOMPARE(w.prompts.shown.last().title, kTitle);
            QCOMPARE(w.prompts.shown.last().icon, MessageIcon::Information);
        }
        QCOMPARE(w.number(), current);
    }

    void addOpensTheCoverOnANewRow()
    {
        Window w(QList<QPair<QString, QString>>{{"200100000001", "a"}});
        w.commands().CommandEditData_Click();
        w.prompts.inputs << QStringLiteral("abcdefghijkl"); // the length alone is tested here
        w.commands().CommandAddItem_Click();
        QCOMPARE(w.store().recordCount(), 2);
        QVERIFY(w.store().isNewRow());
        QCOMPARE(w.number(), QStringLiteral("abcdefghijkl"));
        QVERIFY(w.panel(QStringLiteral("FrameCover"))->isVisible());
        QVERIFY(!w.panel(QStringLiteral("FrameDataList"))->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TextJB02"));
        QCOMPARE(w.lineBox(QStringLiteral("TextItemNo"))->text(), QStringLiteral("abcdefghijkl"));
        QVERIFY(w.store().moveFirst());
        QCOMPARE(storedNumbers(w.folder()).size(), 2);
    }

    void addToAnEmptyTable()
    {
        Window w;
        w.prompts.inputs << QStringLiteral("200100000009");
        w.commands().CommandAddItem_Click();
        QCOMPARE(w.store().recordCount(), 1);
        QCOMPARE(w.prompts.shown.size(), 1);
        QVERIFY(w.form().close());
        QCOMPARE(storedNumbers(w.folder()), QStringList({"200100000009"}));
    }

    void locate_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("message");
        QTest::newRow("exact") << "200100000002"
                               << "200100000002"
                               << "";
        QTest::newRow("leading zeros") << "00200100000003"
                                       << "200100000003"
                                       << "";
        QTest::newRow("not found") << "200100000009"
                                   << "200100000001"
                                   << "未找到要定位的项目！请检查项目编号是否正确。";
        QTest::newRow("empty finds nothing") << ""
                                             << "200100000001"
                                             << "未找到要定位的项目！请检查项目编号是否正确。";
    }
    void locate()
    {
        QFETCH(QString, query);
        QFETCH(QString, current);
        QFETCH(QString, message);
        Window w({{"200100000001", "a"}, {"200100000002", "b"}, {"200100000003", "c"}});
        QVERIFY(w.store().moveLast());
        w.queryBox()->setText(query);
        w.commands().LocateProject();
        QCOMPARE(w.number(), current);
        QCOMPARE(w.prompts.lastText(), message);
    }

    void locateByEnterKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void locateByEnterKey()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Window w({{"200100000001", "a"}, {"200100000002", "b"}});
        w.queryBox()->setText(QStringLiteral("200100000002"));
        QTest::keyClick(w.queryBox(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.number(), QStringLiteral("200100000002"));
    }

    void locateOnAnEmptyTableFails()
    {
        Window w;
        w.commands().LocateProject();
        QCOMPARE(w.prompts.lastText(),
                 QStringLiteral("数据定位失败！请检查数据或重新启动系统后重试。"));
    }

    void deleteAsksAndDeletes()
    {
        Window w({{"200100000001", "a"}, {"200100000002", "b"}});
        QVERIFY(w.store().moveLast());
        w.prompts.answers << false;
        w.commands().CommandDeleteItem_Click();
        QCOMPARE(w.prompts.lastText(),
                 QStringLiteral("确实要删除项目编号为200100000002的项目吗？"));
        QCOMPARE(w.store().recordCount(), 2);
        w.prompts.answers << true;
        w.commands().CommandDeleteItem_Click();
        QCOMPARE(storedNumbers(w.folder()), QStringList({"200100000001"}));
        // Again on the deleted position: a failure, never the neighbour.
        w.prompts.answers << true;
        w.commands().CommandDeleteItem_Click();
        QCOMPARE(w.prompts.lastText(),
                 QStringLiteral("删除项目失败！请检查数据或重新启动系统后重试。"));
        QCOMPARE(storedNumbers(w.folder()), QStringList({"200100000001"}));
    }

    void deleteAllRemovesEveryRow()
    {
        Window w({{"3", "a"}, {"1", "b"}, {"2", "c"}});
        w.prompts.answers << true;
        w.commands().CommandDataInit_Click();
        QCOMPARE(w.prompts.shown.first().text,
                 QStringLiteral("数据初始化将会删除全部数据，确认要删除吗？"));
        QCOMPARE(w.store().recordCount(), 0);
        QCOMPARE(storedNumbers(w.folder()), QStringList());
        QCOMPARE(w.prompts.shown.size(), 1);
    }

    void deleteOnAnEmptyTableFails()
    {
        Window w;
        w.prompts.answers << true << true;
        w.commands().CommandDeleteItem_Click();
        QCOMPARE(w.prompts.lastText(),
                 QStringLiteral("删除项目失败！请检查数据或重新启动系统后重试。"));
        QCOMPARE(w.prompts.shown.last().details, QStringLiteral("没有当前记录。"));
        w.commands().CommandDataInit_Click();
        QCOMPARE(w.prompts.lastText(),
                 QStringLiteral("删除项目失败！请检查数据或重新启动系统后重试。"));
    }

    void endEditingStoresAndClosesTheList()
    {
        Window w({{"1", "a"}, {"2", "b"}});
        w.commands().CommandEditData_Click();
        QVERIFY(w.store().moveLast());
        w.binder().setText(QStringLiteral("TextJB05"), QStringLiteral("12345"));
        w.commands().CommandExitDataEdit_Click();
        QVERIFY(!w.panel(QStringLiteral("FrameDataList"))->isOpen());
        QCOMPARE(w.store().absolutePosition(), 1);
        RecordStore again;
        QVERIFY(again.open(w.folder()));
        QCOMPARE(again.row(1).value(u"JB05"), QStringLiteral("12345"));
    }

    void endEditingOnAnEmptyTableFails()
    {
        Window w;
        w.commands().CommandEditData_Click();
        w.commands().CommandExitDataEdit_Click();
        QVERIFY(!w.panel(QStringLiteral("FrameDataList"))->isOpen());
        QCOMPARE(w.prompts.lastText(),
                 QStringLiteral("更新数据失败！请检查数据或重新启动系统后重试。"));
        QCOMPARE(w.prompts.shown.last().details, QStringLiteral("数据库中没有任何记录。"));
    }

    void menuEntryOpensAListHiddenBehindAPage()
    {
        Window w(QList<QPair<QString, QString>>{{"1", "a"}});
        w.commands().CommandEditData_Click();
        w.commands().CommandEdit_Click();
        w.commands().MenuDataEdit_Click();
        QVERIFY(!w.panel(QStringLiteral("FrameDataList"))->isVisible());
        QVERIFY(w.panel(QStringLiteral("FrameCover"))->isVisible());
    }
};

QTEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
