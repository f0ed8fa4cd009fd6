// The report commands as the user reaches them (the buttons of the main window), over the
// word-processor stand-in and scripted prompts.
#include "captions.h"
#include "fakeoffice.h"
#include "reportbookmarks.h"
#include "testrecords.h"
#include "testwindow.h"
#include "watchedfifo.h"

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <unistd.h>

namespace {

const QString kTitle = QStringLiteral("澜梧省科技计划项目执行情况年度调查");
const QString kShortTitle = QStringLiteral("澜梧省科技统计");
const QString kNoTemplate =
    QStringLiteral("未找到报表模板文件！请将报表模板文件“xxxx模板.Doc”复制到安装目录。");
const QString kFailed = QStringLiteral("报表生成失败！请关闭所有Word文件，重新启动系统后重试。");
const QString kAllMade = QStringLiteral("报表已全部生成，格式可能需要调整。");
const QString kNotMade = QStringLiteral("报表文件没有找到，请重新生成报表文件。");
const QString kQuestion = QStringLiteral("生成全部项目报表需要较长时间，要继续吗？");

using Projects = QList<QPair<QString, QString>>;

struct Window : TestWindow
{
    FakeOffice *office;

    explicit Window(const Projects &projects, bool withTemplate = true)
        : TestWindow(QString(), std::make_unique<FakeOffice>()), office(&officeAs<FakeOffice>())
    {
        addTestProjects(folder(), projects);
        if (withTemplate) {
            QFile file(path(QStringLiteral("2011模板.doc")));
            file.open(QIODevice::WriteOnly); // what the probe finds
            office->documents[path(QStringLiteral("2011模板.doc"))].bookmarks =
                ReportBookmarks::names();
        }
        load();
        show();
    }
    void click(const char *name)
    {
        if (qstrcmp(name, "CommandReports") != 0) // the project list holds the others
            QTest::mouseClick(button(QStringLiteral("CommandEditData")), Qt::LeftButton);
        QTest::mouseClick(button(QString::fromLatin1(name)), Qt::LeftButton);
        QVERIFY(!QGuiApplication::overrideCursor()); // the hourglass is gone again
    }
    QStringList reports() const
    {
        QStringList out;
        for (const QString &key : office->documents.keys()) {
            if (!key.endsWith(QStringLiteral("模板.doc")))
                out << QFileInfo(key).fileName();
        }
        return out;
    }
};

const Projects kThree = {{"201101010002", "乙"}, {"201101010001", "甲"}, {"201101010003", "丙"}};

} // namespace

class TestReportCommands : public QObject
{
    Q_OBJECT

private slots:
    void currentProjectReportHoldsWhatTheBoxesShow()
    {
        Window window(kThree);
        QVERIFY(window.store().moveTo(1));
        QTest::keyClicks(window.lineBox(QStringLiteral("TextItemName")), QStringLiteral("-2"));
        window.pageRing().openPage(Page::Table2);
        FieldBox *amount = window.lineBox(QStringLiteral("TextJF4002")); // a number box
        QTest::keyClicks(amount, QStringLiteral("12.5"));
        window.click("CommandReport");
        QCOMPARE(window.prompts.texts(),
                 QStringList(QStringLiteral(
                     "报表已生成，文件名为：201101010002.doc，报表格式可能需要调整。")));
        QCOMPARE(window.prompts.shown.first().title, kShortTitle);
        QCOMPARE(window.prompts.shown.first().icon, MessageIcon::Information);
        const auto typed = window.office->documents.value(window.path("201101010002.doc")).typed;
        QCOMPARE(typed.first(), qMakePair(QStringLiteral("JB01"), QStringLiteral("乙-2")));
        QCOMPARE(typed.at(int(ReportBookmarks::names().indexOf(QStringLiteral("JF4002")))),
                 qMakePair(QStringLiteral("JF4002"), QStringLiteral("12.5")));
        QCOMPARE(amount->text(), QStringLiteral("12.5"));
        QCOMPARE(window.store().currentIndex(), 1);
    }

    void currentProjectFailureIsTheOnlyMessage_data()
    {
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("officeUsed");
        QTest::newRow("no template") << false << kNoTemplate << false;
        QTest::newRow("template lacks a bookmark") << true << kFailed << true;
    }
    void currentProjectFailureIsTheOnlyMessage()
    {
        QFETCH(bool, withTemplate);
        QFETCH(QString, message);
        QFETCH(bool, officeUsed);
        Window window(kThree, withTemplate);
        if (withTemplate)
            window.office->documents[window.path(QStringLiteral("2011模板.doc"))]
                .bookmarks.removeAll(QStringLiteral("JDCG"));
        window.click("CommandReport");
        QCOMPARE(window.prompts.shown.size(), 1);
        QVERIFY(window.prompts.lastText().startsWith(message));
        QCOMPARE(window.prompts.shown.first().title, kTitle);
        QCOMPARE(!window.office->word.calls.isEmpty(), officeUsed);
        QVERIFY(window.reports().isEmpty());
    }

    void allProjects_data()
    {
        QTest::addColumn<Projects>("projects");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("cancelled")
            << kThree << false << true << QStringList{kQuestion} << QStringList();
        QTest::newRow("three projects")
            << kThree << true << true << QStringList{kQuestion, kAllMade}
            << QStringList{"201101010001.doc", "201101010002.doc", "201101010003.doc"};
        QTest::newRow("one number names no file")
            << Projects{{"201101010001", "甲"}, {"2011/1", "乙"}} << true << true
            << QStringList{kQuestion, kFailed,
                           "共2个项目，其中1个项目的报表没有生成；已生成的报表格式可能需要调整。"}
            << QStringList{"201101010001.doc"};
        QTest::newRow("one of three names no file")
            << Projects{{"201101010001", "甲"}, {"2011/1", "乙"}, {"201101010003", "丙"}} << true
            << true
            << QStringList{kQuestion, kFailed,
                           "共3个项目，其中1个项目的报表没有生成；已生成的报表格式可能需要调整。"}
            << QStringList{"201101010001.doc", "201101010003.doc"};
        QTest::newRow("no template")
            << kThree << true << false << QStringList{kQuestion, kNoTemplate} << QStringList();
        QTest::newRow("empty table")
            << Projects() << true << true << QStringList{kQuestion, "没有项目记录，未生成报表。"}
            << QStringList();
    }
    void allProjects()
    {
        QFETCH(Projects, projects);
        QFETCH(bool, answer);
        QFETCH(bool, withTemplate);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, reports);
        Window window(projects, withTemplate);
        window.prompts.answers << answer;
        window.click("CommandReports");
        QCOMPARE(window.prompts.texts().size(), messages.size());
        for (int i = 0; i < messages.size(); ++i)
            QVERIFY2(window.prompts.texts().at(i).startsWith(messages.at(i)),
                     qPrintable(messages.at(i)));
        QCOMPARE(window.reports(), reports);
        // Cancelled, nothing to make or no template: the word processor is not even asked.
        QCOMPARE(window.office->word.calls.isEmpty(),
                 reports.isEmpty() && !messages.contains(kFailed));
        if (answer && withTemplate && !projects.isEmpty())
            QVERIFY(window.store().isPastTheEnd());
        else // where it was
            QCOMPARE(window.store().currentIndex(), projects.isEmpty() ? -1 : 0);
    }

    // An edit that cannot be stored stops the walk before its first report; the count says so,
    // with the database's reason.
    void allProjectsStoppedByAnEditThatCannotBeStored()
    {
        Window window(kThree);
        QTest::keyClicks(window.lineBox(QStringLiteral("TextItemName")), QStringLiteral("x"));
        QVERIFY(OtherConnection(window.folder())
                    .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kjxmzxqk "
                                         "BEGIN SELECT RAISE(ABORT, 'row refused'); END")));
        window.prompts.answers << true;
        window.click("CommandReports");
        QCOMPARE(window.prompts.texts(),
                 QStringList({kQuestion, QStringLiteral("共3个项目，其中3个项目的报表没有生成；"
                                                        "已生成的报表格式可能需要调整。")}));
        QVERIFY(window.prompts.shown.last().details.contains(u"row refused"));
        QVERIFY(window.reports().isEmpty());
    }

    // A template that is no regular file is never opened, so no command waits on a FIFO: the
    // current-project command ends without a word, the all-projects one says once why.
    void templateThatIsNoFile_data()
    {
        QTest::addColumn<QString>("standing"); // what stands at the template's name
        QTest::addColumn<bool>("allProjects");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("FIFO, current project") << "fifo" << false << QStringList();
        QTest::newRow("folder, current project") << "folder" << false << QStringList();
        QTest::newRow("FIFO, all projects") << "fifo" << true << QStringList{kQuestion, kFailed};
        QTest::newRow("folder, all projects")
            << "folder" << true << QStringList{kQuestion, kFailed};
    }
    void templateThatIsNoFile()
    {
        QFETCH(QString, standing);
        QFETCH(bool, allProjects);
        QFETCH(QStringList, messages);
        Window window(kThree, false);
        const QString path = window.path(QStringLiteral("2011模板.doc"));
        std::optional<WatchedFifo> fifo;
        if (standing == u"fifo")
            QVERIFY(fifo.emplace(path).made());
        else
            QVERIFY(QDir().mkdir(path));
        window.prompts.answers << true;
        window.click(allProjects ? "CommandReports" : "CommandReport");
        QCOMPARE(window.prompts.texts(), messages);
        if (!messages.isEmpty()) {
            const ScriptedPrompts::Shown &told = window.prompts.shown.last();
            QCOMPARE(told.title, kTitle);
            QVERIFY2(told.details.contains(u"2011模板.doc") &&
                         told.details.contains(u"不是普通文件"),
                     qPrintable(told.details));
        }
        QVERIFY(window.office->word.calls.isEmpty());
        QCOMPARE(window.store().currentIndex(), 0);
    }

    // A template no one may read is never handed to the word processor; the all-projects
    // command says why.
    void templateNoOneMayRead()
    {
        if (geteuid() == 0)
            QSKIP("root may read any file");
        Window window(kThree);
        QVERIFY(QFile::setPermissions(window.path(QStringLiteral("2011模板.doc")), {}));
        window.prompts.answers << true;
        window.click("CommandReports");
        QCOMPARE(window.prompts.texts(), (QStringList{kQuestion, kFailed}));
        QVERIFY2(window.prompts.shown.last().details.contains(u"无法读取"),
                 qPrintable(window.prompts.shown.last().details));
        QVERIFY(window.office->word.calls.isEmpty());
    }

    void print_data()
    {
        QTest::addColumn<bool>("made");
        QTest::addColumn<QString>("printFailure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("printed");
        QTest::newRow("never made") << false << QString() << kNotMade << 0;
        QTest::newRow("printed") << true << QString() << QString() << 1;
        QTest::newRow("refused") << true << QStringLiteral("打印机没有接受打印任务。")
                                 << QStringLiteral("打印机没有接受打印任务。") << 0;
        QTest::newRow("number names no file") << false << QString() << kNotMade << 0;
    }
    void print()
    {
        QFETCH(bool, made);
        QFETCH(QString, printFailure);
        QFETCH(QString, message);
        QFETCH(int, printed);
        Window window(kThree);
        if (made)
            window.office->documents[window.path(QStringLiteral("201101010001.doc"))] = {};
        window.office->word.printFailure = printFailure;
        if (QByteArray(QTest::currentDataTag()) == "number names no file") {
            QVERIFY(
                window.store().setValue(RecordColumns::indexOf(u"JB02"), QStringLiteral("a/b")));
            QVERIFY(window.office->word.setVisible(true).ok()); // a help document shown
        }
        if (!printFailure.isEmpty()) // logged as a failure
            QTest::ignoreMessage(
                QtWarningMsg, QRegularExpression(u'^' + QRegularExpression::escape(printFailure)));
        window.click("CommandPrint");
        QCOMPARE(window.prompts.lastText(), message);
        if (!message.isEmpty())
            QCOMPARE(window.prompts.shown.first().icon,
                     printFailure.isEmpty() ? MessageIcon::Information : MessageIcon::None);
        if (!printFailure.isEmpty()) { // under the window's title, the reason in the details
            QCOMPARE(window.prompts.shown.first().title, Captions::windowTitle());
            QVERIFY(window.prompts.shown.first().details.contains(printFailure));
        }
        const FakeWordApp &word = window.office->word;
        QCOMPARE(word.documents.size(), made ? 1 : 0);
        if (made)
            QCOMPARE(word.documents.first().printed, printed);
        QCOMPARE(word.documentCount(), 0);
        QVERIFY(!word.isRunning());
    }

    // The title, icon and buttons each question and message of the commands comes with.
    void titlesAndIcons_data()
    {
        using Buttons = ScriptedPrompts::Shown::Buttons;
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("number"); // of the only project
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("text"); // of the last message
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        const int information = int(MessageIcon::Information);
        QTest::newRow("all-projects question")
            << "CommandReports"
            << "201101010001" << false << kQuestion << kTitle << int(MessageIcon::Question)
            << int(Buttons::OkCancel);
        QTest::newRow("all made") << "CommandReports"
                                  << "201101010001" << true << kAllMade << kShortTitle
                                  << information << int(Buttons::Ok);
        QTest::newRow("print, never made") << "CommandPrint"
                                           << "201101010001" << false << kNotMade << kShortTitle
                                           << information << int(Buttons::Ok);
        QTest::newRow("print, a number that names no file")
            << "CommandPrint"
            << "2011/1" << false << kNotMade << kShortTitle << information << int(Buttons::Ok);
    }
    void titlesAndIcons()
    {
        QFETCH(QString, command);
        QFETCH(QString, number);
        QFETCH(bool, answer);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        Window window({{number, QStringLiteral("甲")}});
        window.prompts.answers << answer;
        window.click(qPrintable(command));
        QCOMPARE(window.prompts.lastText(), text);
        const ScriptedPrompts::Shown &shown = window.prompts.shown.last();
        QCOMPARE(shown.title, title);
        QCOMPARE(int(shown.icon), icon);
        QCOMPARE(int(shown.buttons), buttons);
    }
};

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
