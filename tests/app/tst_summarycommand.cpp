// "汇  总" over the office stand-in: the order of the summaries and the completion message.
#include "fakeoffice.h"
#include "fieldcatalogue.h"
#include "summarytemplates.h"
#include "testrecords.h"
#include "testwindow.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kTemplates = summaryTemplateNames();

const QString kExcelResident = QStringLiteral(
    "有Excel程序驻留内存，可能无法正确加载数据文件。请按Ctrl+Alt+Del键，在任务管理器中将其关闭，"
    "然后重新执行程序或重新启动计算机。否则，可能会引起计算错误。");

// The window over a folder with three projects and every template but those left out.
struct Fixture : TestWindow
{
    FakeOffice *office;

    explicit Fixture(const QStringList &missing = {})
        : TestWindow(QString(), std::make_unique<FakeOffice>()), office(&officeAs<FakeOffice>())
    {
        addTestProjects(folder(),
                        {{"201100000001", "甲"}, {"201100000002", "乙"}, {"201100000003", "丙"}});
        QFile probe(path(QStringLiteral("人才培养情况.xls")));
        probe.open(QIODevice::WriteOnly);
        for (const QString &name : kTemplates) {
            if (!missing.contains(name))
                office->workbooks[path(name + ".xls")].setText(1, 1, name);
        }
        if (!load())
            qFatal("cannot load the window: %s", qPrintable(loadError));
        form().show();
    }
    void click()
    {
        store().moveLast();
        QTest::mouseClick(button(QStringLiteral("CommandSum")), Qt::LeftButton);
    }
};

} // namespace

class TestSummaryCommand : public QObject
{
    Q_OBJECT

private slots:
    void runsEverySummaryInOrder()
    {
        Fixture f;
        f.click();
        QStringList opened;
        for (const QString &name : kTemplates) {
            opened << "open " + QDir(f.path(QString())).filePath(name + ".xls");
            QVERIFY(f.office->workbooks.contains(f.path(name + "_2011.xls")));
        }
        QCOMPARE(f.office->spreadsheetCalls.filter(QStringLiteral("open ")), opened);
        QCOMPARE(f.prompts.texts(), QStringList{QStringLiteral("汇总完成。")});
        QCOMPARE(f.prompts.shown[0].title, QStringLiteral("科技项目统计"));
        QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(f.store().absolutePosition(), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // Outputs not written are named; a refused one also shows the warning.
    void failuresAreNamedInTheCompletionMessage()
    {
        Fixture f({kTemplates[0]});
        f.office->deniedPaths << f.path(kTemplates[2] + "_2011.xls");
        f.click();
        QCOMPARE(f.prompts.texts().size(), 2);
        QCOMPARE(f.prompts.shown[0].text, kExcelResident);
        const QString done = f.prompts.shown[1].text;
        QVERIFY2(done.startsWith(QStringLiteral("汇总未全部完成，以下汇总表没有生成：\n")),
                 qPrintable(done));
        QVERIFY(done.contains(kTemplates[0] + "_2011.xls"));
        QVERIFY(!done.contains(kTemplates[1] + "_2011.xls"));
        QVERIFY(done.contains(kTemplates[2] + "_2011.xls"));
        // Why, in the details: one line an output.
        QCOMPARE(f.prompts.shown[1].details.count(u'\n'), 1);
        QVERIFY(f.prompts.shown[1].details.startsWith(kTemplates[0] + "_2011.xls："));
        // The missing template is named on its output's line.
        const QString firstLine = f.prompts.shown[1].details.section(u'\n', 0, 0);
        QVERIFY2(firstLine.contains(f.path(kTemplates[0] + ".xls")), qPrintable(firstLine));
        QCOMPARE(f.prompts.shown[1].icon, MessageIcon::Exclamation);
    }

    // The warning answers a refused file alone: a missing template is only named.
    void excelResidentWarningForALockedFileOnly_data()
    {
        QTest::addColumn<bool>("lockedOutput"); // else a missing template
        QTest::addColumn<int>("warnings");
        QTest::newRow("missing template alone") << false << 0;
        QTest::newRow("locked output alone") << true << 1;
    }
    void excelResidentWarningForALockedFileOnly()
    {
        QFETCH(bool, lockedOutput);
        QFETCH(int, warnings);
        Fixture f(lockedOutput ? QStringList() : QStringList{kTemplates[4]});
        if (lockedOutput)
            f.office->deniedPaths << f.path(kTemplates[4] + "_2011.xls");
        f.click();
        QCOMPARE(f.prompts.texts().count(kExcelResident), warnings);
        QCOMPARE(f.prompts.texts().size(), warnings + 1);
        if (warnings) {
            QCOMPARE(f.prompts.shown[0].title, QStringLiteral("科技项目统计"));
            QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Exclamation);
        }
        QVERIFY(f.prompts.lastText().contains(kTemplates[4] + "_2011.xls"));
    }

    // Sums that fall on cells of an array formula leave the template's cells as they are; the
    // output is written, and the details name the cells.
    void cellsPassedOverAreNamedInTheDetails()
    {
        Fixture f;
        QVERIFY(f.store().moveFirst());
        QVERIFY(f.store().setValue(RecordColumns::indexOf(u"JB25"), QStringLiteral("01.企业")));
        QVERIFY(f.store().setValue(RecordColumns::indexOf(u"JB61"),
                                   QStringLiteral("1100.重大科技专项")));
        QVERIFY(f.store().update());
        const QString byPlan = QStringLiteral("省级资金各类计划分布汇总");
        FakeWorkbook &workbook = f.office->workbooks[f.path(byPlan + ".xls")];
        workbook.setText(2, 4, QStringLiteral("数组"));
        workbook.arrayCells = {{2, 4}, {2, 5}, {15, 4}};
        f.click();
        QCOMPARE(f.prompts.texts(), QStringList{QStringLiteral("汇总完成。")});
        QCOMPARE(f.prompts.shown[0].title, QStringLiteral("科技项目统计"));
        QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(f.prompts.shown[0].details,
                 byPlan + QStringLiteral("_2011.xls：单元格D2、D15属于数组公式，"
                                         "这些单元格没有写入汇总数，保留模板中的内容。"));
        const FakeWorkbook output = f.office->workbooks.value(f.path(byPlan + "_2011.xls"));
        QCOMPARE(output.cell(2, 4), CellValue::fromText(QStringLiteral("数组")));
        QCOMPARE(output.cell(38, 4), CellValue::fromNumber(1));
    }

    void officeThatCannotStartIsTriedOnce()
    {
        Fixture f;
        f.office->cannotStart = true;
        f.click();
        QCOMPARE(f.office->spreadsheetCalls.filter(QStringLiteral("open ")).size(), 1);
        QCOMPARE(f.prompts.texts().size(), 1);
        for (const QString &name : kTemplates)
            QVERIFY(f.prompts.lastText().contains(name + "_2011.xls"));
        QCOMPARE(f.store().absolutePosition(), 1);
    }
};

QTEST_MAIN(TestSummaryCommand)
#include "tst_summarycommand.moc"
