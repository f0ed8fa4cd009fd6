#include "checkcommands.h"
#include "fieldcatalogue.h"
#include "filesizelimit.h"
#include "formmain.h"
#include "pagebuilder.h"
#include "pagering.h"
#include "panel.h"
#include "passingrecord.h"
#include "recordstore.h"
#include "scriptedprompts.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString kT3_4 = QStringLiteral(" 表三 JL100 >= JL160+JL170+JL180，有误！");
const QString kT4_6 = QStringLiteral(" 表四 新增产值 > 1500000千元（15亿元！！），请核对！");
const QString kT2_4 = QStringLiteral(" 表二 JF400 = JF100-JF200，累计数有误！");

QString line(const QString &number, const QString &message)
{
    return QStringLiteral("项目") + number + message + QStringLiteral("\r\n");
}

// A program folder with records written into its database, and the main window over it.
class Fixture
{
public:
    explicit Fixture(const QList<SurveyRecord> &records)
    {
        {
            RecordStore store;
            if (!store.open(m_dir.path()))
                qFatal("cannot open the record store");
            for (const SurveyRecord &record : records) {
                store.addNew();
                for (int c = 0; c < FieldCatalogue::ColumnCount; ++c)
                    store.setValue(c, record.value(c));
                store.update();
            }
        }
        form = std::make_unique<FormMain>(m_dir.path(), prompts);
        QString error;
        if (!form->Form_Load(&error))
            qFatal("cannot load the window: %s", qPrintable(error));
    }

    QString folder() const { return m_dir.path(); }
    CheckCommands &commands() { return form->checkCommands(); }
    QString report() { return commands().reportText(); }

    ScriptedPrompts prompts;
    std::unique_ptr<FormMain> form;

private:
    QTemporaryDir m_dir;
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
        f.form->store().moveLast();
        f.form->checkState().CheckError = 1;
        f.form->button(QStringLiteral("CommandCheck"))->click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n") + line("201100000002", kT3_4) +
                                 line("201100000002", kT4_6));
        QCOMPARE(f.form->store().absolutePosition(), 1);
        QCOMPARE(f.form->checkState().CheckMessage, QString());
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].text,
                 QStringLiteral("审核完成，请在数据审核结果框内查看结果。"));
        QCOMPARE(f.prompts.shown[0].title, QStringLiteral("科技项目统计"));
        QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Exclamation);

        // Again: the report is replaced, not extended.
        f.commands().CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n") + line("201100000002", kT3_4) +
                                 line("201100000002", kT4_6));
    }

    void checkAllCountsEditsNotYetStored()
    {
        Fixture f({numbered("201100000001"), numbered("201100000002")});
        f.form->store().moveTo(1);
        f.form->store().setValue(RecordColumns::indexOf(u"JF4001"), QStringLiteral("31"));
        f.commands().CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n") + line("201100000002", kT2_4));
    }

    void checkAllReportsFailedMove()
    {
        Fixture f({numbered("201100000001", {"JL160=11"}), numbered("201100000002")});
        f.form->store().moveTo(1);
        f.form->store().setValue(RecordColumns::indexOf(u"JB01"), QStringLiteral("改过的名称"));
        {
            // The pending edit cannot be stored once the table is gone.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "drop");
            db.setDatabaseName(f.form->store().databasePath());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP TABLE kjxmzxqk")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("drop"));
        f.commands().CommandCheck_Click();
        QCOMPARE(f.prompts.texts(),
                 QStringList{QStringLiteral("数据审核失败！请检查数据或重新启动系统后重试。")});
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n"));
    }

    void checkAllWhenEveryRecordPasses()
    {
        Fixture f({numbered("201100000001"), numbered("201100000002")});
        f.commands().CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n"));
    }

    void nothingToCheckOnEmptyTable()
    {
        Fixture f({});
        f.commands().CommandCheck_Click();
        QCOMPARE(f.report(), QStringLiteral(" 审核结果\r\n没有可审核的项目记录。\r\n"));
        QCOMPARE(f.prompts.lastText(), QStringLiteral("审核完成，请在数据审核结果框内查看结果。"));
        f.commands().CommandCheckItem_Click();
        QCOMPARE(f.report(), QStringLiteral("项目 审核结果\r\n没有可审核的项目记录。\r\n"));
    }

    void checkItemPastTheEnd()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.form->store().moveNext();
        QVERIFY(f.form->store().isPastTheEnd());
        f.commands().CommandCheckItem_Click();
        QCOMPARE(f.report(), QStringLiteral("项目 审核结果\r\n没有可审核的项目记录。\r\n"));
    }

    void checkItemReplacesReportAndStays()
    {
        Fixture f(
            {numbered("201100000001", {"JL160=11"}), numbered("201100000002", {"JG131=2e6"})});
        f.commands().CommandCheck_Click();
        f.form->store().moveTo(1);
        f.form->button(QStringLiteral("CommandCheckItem"))->click();
        QCOMPARE(f.report(),
                 QStringLiteral("项目201100000002 审核结果\r\n") + line("201100000002", kT4_6));
        QCOMPARE(f.form->store().absolutePosition(), 2);
        QCOMPARE(f.form->checkState().CheckError, qint16(0));
        QCOMPARE(f.prompts.shown.size(), 1); // only the completion of checking all

        f.form->store().moveTo(0);
        f.form->store().setValue(RecordColumns::indexOf(u"JL160"), QStringLiteral("10"));
        f.commands().CommandCheckItem_Click();
        QCOMPARE(f.report(), QStringLiteral("项目201100000001 审核结果\r\n"));
    }

    void clearEmptiesReport()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.commands().CommandCheck_Click();
        f.form->button(QStringLiteral("CommandCheckClear"))->click();
        QCOMPARE(f.form->checkReport()->toPlainText(), QString());
    }

    void savedReportBytes()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.commands().CommandCheck_Click();
        const QString path = QDir(f.folder()).filePath(QStringLiteral("结果.Txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer file that is replaced without a question\r\n");
        old.close();
        f.prompts.fileNames << path;
        f.form->button(QStringLiteral("CommandSaveCheckReport"))->click();

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
        f.commands().CommandSaveCheckReport_Click();
        QCOMPARE(f.prompts.shown.last().text, QStringLiteral("请指定文件名！！"));
        QCOMPARE(f.prompts.shown.last().title, QStringLiteral("保存审核结果"));
        QCOMPARE(f.prompts.shown.last().icon, MessageIcon::Question);
        QCOMPARE(QDir(f.folder()).entryList({QStringLiteral("*.Txt")}, QDir::Files), QStringList());
    }

    void saveFailureIsReported()
    {
        Fixture f({numbered("201100000001", {"JL160=11"})});
        f.commands().CommandCheck_Click();
        const QString path = QDir(f.folder()).filePath(QStringLiteral("无此目录/结果.Txt"));
        f.prompts.fileNames << path;
        f.commands().CommandSaveCheckReport_Click();
        QCOMPARE(f.prompts.shown.last().text,
                 QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"));
        QVERIFY(!QFile::exists(path));

        // A disk that takes only the first bytes of the report.
        const QString full = QDir(f.folder()).filePath(QStringLiteral("结果.Txt"));
        f.prompts.fileNames << full;
        {
            const FileSizeLimit limit(8);
            f.commands().CommandSaveCheckReport_Click();
        }
        QCOMPARE(f.prompts.shown.last().text,
                 QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。"));
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
        const Page from = Page(page);
        f.form->pageRing().openPage(from);
        Panel *fromPanel = f.form->panel(QString::fromLatin1(PageBuilder::info(from).panelName));
        QVERIFY(!f.form->pageRing().movePage(from, true));
        QVERIFY(fromPanel->isOpen());
        QCOMPARE(f.prompts.lastText(), line("201100000001", message));
        QCOMPARE(f.prompts.shown.last().title, FormMain::messageTitle());
        QCOMPARE(f.form->checkState().CheckError, qint16(0));

        const qsizetype eq = mended.indexOf(u'=');
        f.form->store().setValue(RecordColumns::indexOf(mended.left(eq)), mended.mid(eq + 1));
        const qsizetype before = f.prompts.shown.size();
        QVERIFY(f.form->pageRing().movePage(from, true));
        QCOMPARE(f.prompts.shown.size(), before);
        QVERIFY(!fromPanel->isOpen());
    }
};

QTEST_MAIN(TestCheckCommands)
#include "tst_checkcommands.moc"
