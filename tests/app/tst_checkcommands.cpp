// The checking commands and the page ring over stand-ins: a record store, a report box and
// scripted prompts, without the window.
#include "captions.h"
#include "checkfixture.h"
#include "codepickerset.h"
#include "fieldcatalogue.h"
#include "filesizelimit.h"
#include "pagebuilder.h"
#include "pagering.h"
#include "panel.h"
#include "passingrecord.h"

#include <QDir>
#include <cerrno>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString kT3_4 = QStringLiteral(" 表三 JL100 >= JL160+JL170+JL180，有误！");
const QString kT4_6 = QStringLiteral(" 表四 新增产值 > 1500000千元（15亿元！！），请核对！");
const QString kT2_4 = QStringLiteral(" 表二 JF400 = JF100-JF200，累计数有误！");

QString line(const QString &number, const QString &message)
{
    return QStringLiteral("项目") + number + message + QStringLiteral("\r\n");
}

using Fixture = CheckFixture;

// The five pages and the project list on a widget of their own, and the page ring over them.
struct Pages
{
    explicit Pages(Fixture &f) : ring(f.store, f.check, pickers, f.prompts, panels()) {}
    PagePanels panels()
    {
        PagePanels built{new Panel(QStringLiteral("FrameDataList"), QString(), &park, &host), {}};
        for (Page page : PageBuilder::AllPages)
            built.pages[int(page)] = PageBuilder::build(page, &host, &park);
        return built;
    }
    Panel *panel(Page page) const
    {
        return host.findChild<Panel *>(PageBuilder::info(page).panelName);
    }

    QWidget host;
    QWidget park{&host};
    CodePickerSet pickers;
    PageRing ring;
};

SurveyRecord numbered(const QString &number, const QStringList &changes = {})
{
    SurveyRecord record = passingRecordWith(changes);
    record.setValue(u"JB02", number);
    return record;
}

} // namespace

class TestCheckCommands : public QObject
{
    Q_OBJECT

private slots:
    void checkAllBuildsReportAndReturnsToFirstRow()
    {
        Fixture f({numbered("201100000001"), numbered("201100000002", {"JL160=11", "JG131=2e6"}),
                   numbered("201100000003")});
        f.store.moveLast();
        f.check.CheckError = 1;
        f.commands.CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n") + line("201100000002", kT3_4) +
                                 line("201100000002", kT4_6));
        QCOMPARE(f.store.absolutePosition(), 1);
        QCOMPARE(f.check.CheckMessage, QString());
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].text,
                 QStringLiteral("审核完成，请在数据审核结果框内查看结果。"));
        QCOMPARE(f.prompts.shown[0].title, QStringLiteral("科技项目统计"));
        QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Exclamation);

        // Again: the report is replaced, not extended.
        f.commands.CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n") + line("201100000002", kT3_4) +
                                 line("201100000002", kT4_6));
    }

    void checkAllCountsEditsNotYetStored()
    {
        Fixture f({numbered("201100000001"), numbered("201100000002")});
        f.store.moveTo(1);
        f.store.setValue(RecordColumns::indexOf(u"JF4001"), QStringLiteral("31"));
        f.commands.CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n") + line("201100000002", kT2_4));
    }

    void checkAllReportsFailedMove()
    {
        Fixture f({numbered("201100000001", {"JL160=11"}), numbered("201100000002")});
        f.store.moveTo(1);
        f.store.setValue(RecordColumns::indexOf(u"JB01"), QStringLiteral("改过的名称"));
        {
            // The pending edit cannot be stored once the table is gone.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "drop");
            db.setDatabaseName(f.store.databasePath());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP TABLE kjxmzxqk")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("drop"));
        f.commands.CommandCheck_Click();
        QCOMPARE(f.prompts.texts(),
                 QStringList{QStringLiteral("数据审核失败！请检查数据或重新启动系统后重试。")});
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n"));
    }

    void checkAllWhenEveryRecordPasses()
    {
        Fixture f({numbered("201100000001"), numbered("201100000002")});
        f.commands.CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n"));
    }

    void nothingToCheckOnEmptyTable()
    {
        Fixture f({});
        f.commands.CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n没有可审核的项目记录。\r\n"));
        QCOMPARE(f.prompts.lastText(), QStringLiteral("审核完成，请在数据审核结果框内查看结果。"));
        f.commands.CommandCheckItem_Click();
        QCOMPARE(f.report(), QStringLiteral("项目 审核结果\r\n没有可审核的项目记录。\r\n"));
    }

    void checkItemPastTheEnd()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.store.moveNext();
        QVERIFY(f.store.isPastTheEnd());
        f.commands.CommandCheckItem_Click();
        QCOMPARE(f.report(), QStringLiteral("项目 审核结果\r\n没有可审核的项目记录。\r\n"));
    }

    void checkItemReplacesReportAndStays()
    {
        Fixture f(
            {numbered("201100000001", {"JL160=11"}), numbered("201100000002", {"JG131=2e6"})});
        f.commands.CommandCheck_Click();
        f.store.moveTo(1);
        f.commands.CommandCheckItem_Click();
        QCOMPARE(f.report(),
                 QStringLiteral("项目201100000002 审核结果\r\n") + line("201100000002", kT4_6));
        QCOMPARE(f.store.absolutePosition(), 2);
        QCOMPARE(f.check.CheckError, qint16(0));
        QCOMPARE(f.prompts.shown.size(), 1); // only the completion of checking all

        f.store.moveTo(0);
        f.store.setValue(RecordColumns::indexOf(u"JL160"), QStringLiteral("10"));
        f.commands.CommandCheckItem_Click();
        QCOMPARE(f.report(), QStringLiteral("项目201100000001 审核结果\r\n"));
    }

    void clearEmptiesReport()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.commands.CommandCheck_Click();
        f.commands.CommandCheckClear_Click();
        QCOMPARE(f.reportBox.toPlainText(), QString());
    }

    void savedReportBytes()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.commands.CommandCheck_Click();
        const QString path = QDir(f.folder()).filePath(QStringLiteral("结果.Txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer file that is replaced without a question\r\n");
        old.close();
        f.prompts.fileNames << path;
        f.commands.CommandSaveCheckReport_Click();

        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(),
                 (QStringLiteral(" 审核结果\r\n") + line("201100000001", kT3_4) + "\r\n").toUtf8());
        QCOMPARE(f.prompts.dialogs.last().title, QStringLiteral("保存审核结果"));
        QCOMPARE(f.prompts.dialogs.last().filter, QStringLiteral("Txt (*.Txt)"));
        QCOMPARE(f.prompts.shown.last().text, QStringLiteral("审核结果已保存在") + path + "中。");
        QCOMPARE(f.prompts.shown.last().title, QStringLiteral("澜梧省科技统计"));
        QCOMPARE(f.prompts.shown.last().icon, MessageIcon::Information);
    }

    void saveCancelledWritesNothing()
    {
        Fixture f({numbered("201100000001")});
        f.commands.CommandSaveCheckReport_Click();
        QCOMPARE(f.prompts.shown.last().text, QStringLiteral("请指定文件名！！"));
        QCOMPARE(f.prompts.shown.last().title, QStringLiteral("保存审核结果"));
        QCOMPARE(f.prompts.shown.last().icon, MessageIcon::Question);
        QCOMPARE(QDir(f.folder()).entryList({QStringLiteral("*.Txt")}, QDir::Files), QStringList());
    }

    void saveFailureIsReported()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.commands.CommandCheck_Click();
        const QString path = QDir(f.folder()).filePath(QStringLiteral("无此目录/结果.Txt"));
        f.prompts.fileNames << path;
        f.commands.CommandSaveCheckReport_Click();
        QCOMPARE(f.prompts.shown.last().text,
                 QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"));
        QVERIFY(!QFile::exists(path));

        // A disk that takes only the first bytes of the report.
        const QString full = QDir(f.folder()).filePath(QStringLiteral("结果.Txt"));
        f.prompts.fileNames << full;
        {
            const FileSizeLimit limit(8);
            f.commands.CommandSaveCheckReport_Click();
        }
        QCOMPARE(f.prompts.shown.last().text,
                 QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"));
        QCOMPARE(f.prompts.shown.last().details, qt_error_string(EFBIG));
        QVERIFY(!QFile::exists(full));
    }

    // The page buttons of a table page stay while its rules fail and move on when they pass.
    void pageRingStaysWhileRulesFail_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("mended");
        QTest::addColumn<QString>("message");
        QTest::newRow("table 1") << int(Page::Table1) << "JB24=7300"
                                 << "JB24=730000"
                                 << " 表一 JH24邮政编码填写有误！";
        QTest::newRow("table 2") << int(Page::Table2) << "JF4001=31"
                                 << "JF4001=30" << kT2_4;
        QTest::newRow("table 3") << int(Page::Table3) << "JL160=11"
                                 << "JL160=10" << kT3_4;
        QTest::newRow("table 4") << int(Page::Table4) << "JG131=1500001"
                                 << "JG131=1500000" << kT4_6;
    }
    void pageRingStaysWhileRulesFail()
    {
        QFETCH(int, page);
        QFETCH(QString, failing);
        QFETCH(QString, mended);
        QFETCH(QString, message);
        Fixture f({numbered("201100000001", {failing})});
        Pages pages(f);
        const Page from = Page(page);
        pages.ring.openPage(from);
        Panel *fromPanel = pages.panel(from);
        QVERIFY(!pages.ring.movePage(from, true));
        QVERIFY(fromPanel->isOpen());
        QCOMPARE(f.prompts.lastText(), line("201100000001", message));
        QCOMPARE(f.prompts.shown.last().title, Captions::messageTitle());
        QCOMPARE(f.check.CheckError, qint16(0));

        const qsizetype eq = mended.indexOf(u'=');
        f.store.setValue(RecordColumns::indexOf(mended.left(eq)), mended.mid(eq + 1));
        const qsizetype before = f.prompts.shown.size();
        QVERIFY(pages.ring.movePage(from, true));
        QCOMPARE(f.prompts.shown.size(), before);
        QVERIFY(!fromPanel->isOpen());
    }
};

QTEST_MAIN(TestCheckCommands)
#include "tst_checkcommands.moc"
