// "未报项目核对" over the in-memory office stand-in, without the window.
#include "checkfixture.h"

#include <QDir>
#include <QTest>
#include <memory>

namespace {

const QString kHeadingEnd = QStringLiteral("以下是漏报或错报项目\r\n"
                                           "===========================================\r\n");
const QString kDone = QStringLiteral("项目上报情况核对完成，请在数据审核结果框内查看结果。");

QString heading(int planned, int reported)
{
    return QStringLiteral("项目上报情况核对结果\r\n项目总数： %1，上报项目数： %2\r\n")
               .arg(planned)
               .arg(reported) +
           kHeadingEnd;
}

using Projects = QList<QPair<QString, QString>>;

// Records of projects (number, JF1102) with a name, units and the plan list's helpers.
QVector<SurveyRecord> projectRecords(const Projects &projects)
{
    QVector<SurveyRecord> records;
    for (const auto &[number, amount] : projects) {
        SurveyRecord record;
        record.setValue(0, QStringLiteral("名称") + number.right(2));
        record.setValue(1, number);
        record.setValue(u"XMCDDW", QStringLiteral("承担单位"));
        record.setValue(u"ZGDW", QStringLiteral("主管单位"));
        record.setValue(u"JF1102", amount);
        records << record;
    }
    return records;
}

struct Fixture : CheckFixture
{
    explicit Fixture(const Projects &projects) : CheckFixture(projectRecords(projects)) {}

    QString planPath() const { return QDir::cleanPath(folder() + "/2011计划.xls"); }
    // Rows of the plan list from row 2: project number, three texts, amount.
    FakeWorkbook &planList(const QList<QList<CellValue>> &rows)
    {
        FakeWorkbook &book = office.workbooks[planPath()];
        book.setText(1, 2, QStringLiteral("项目编号"));
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < rows[r].size(); ++c)
                book.setCell(r + 2, c + 2, rows[r][c]);
        }
        return book;
    }
    QString run()
    {
        commands.CommandItem_Click();
        return commands.reportText();
    }
};

CellValue n(double value)
{
    return CellValue::fromNumber(value);
}
CellValue t(const QString &text)
{
    return CellValue::fromText(text);
}
QList<CellValue> planRow(const CellValue &key, const CellValue &amount = CellValue())
{
    return {key, t("计划名称"), t("计划单位"), t("计划类别"), amount};
}

} // namespace

class TestReconcileCommand : public QObject
{
    Q_OBJECT

private slots:
    void reportAndFirstRow()
    {
        Fixture f(Projects{{"201100000001", "125"},
                           {"201100000003", ""},
                           {"201100000004", "41"},
                           {"201100000009", ""}});
        f.planList({planRow(n(201100000001), n(12.5)), planRow(n(201100000002)),
                    planRow(t("201100000004"), t("4")), planRow(n(201100000005))});
        f.store.moveLast();
        f.commands.CommandItem_Click();
        QCOMPARE(f.commands.reportText(),
                 heading(4, 4) + " 1 漏报 201100000002 计划名称 计划单位 计划类别\r\n" +
                     " 2 错报 201100000003 名称03 承担单位 主管单位\r\n" +
                     " 3 金额错误 201100000004 名称04 承担单位\r\n" +
                     " 4 漏报 201100000005 计划名称 计划单位 计划类别\r\n" +
                     " 5 错报 201100000009 名称09 承担单位 主管单位\r\n");
        QCOMPARE(f.store.absolutePosition(), 1);
        QCOMPARE(f.prompts.texts(), QStringList{kDone});
        QCOMPARE(f.prompts.shown[0].title, QStringLiteral("科技项目统计"));
        QCOMPARE(f.prompts.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(f.office.spreadsheetsCreated, 1);
    }

    // The planned count is the number of filled rows, whatever the record count; the list
    // is read in a few blocks, never cell by cell.
    void longListReadInBlocks()
    {
        Fixture f(Projects{{"201100000001", ""}});
        QList<QList<CellValue>> rows;
        for (int i = 1; i <= 3000; ++i)
            rows << planRow(n(201100000000 + i));
        f.planList(rows);
        const QString report = f.run();
        QVERIFY(report.startsWith(heading(3000, 1)));
        QCOMPARE(report.count(QStringLiteral(" 漏报 ")), 2999);
        QVERIFY(report.endsWith(" 2999 漏报 201100003000 计划名称 计划单位 计划类别\r\n"));
        const QStringList calls = f.office.spreadsheetCalls;
        QCOMPARE(calls.filter(QStringLiteral("readCell")).size(), 0);
        QVERIFY(calls.filter(QStringLiteral("readBlock")).size() <= 4);
        QCOMPARE(calls.first(), QStringLiteral("open ") + f.planPath());
        QCOMPARE(calls.last(), QStringLiteral("close"));
    }

    void emptyTable()
    {
        Fixture f(Projects{});
        f.planList({planRow(n(201100000001)), planRow(n(201100000002))});
        QCOMPARE(f.run(), heading(2, 0) + " 1 漏报 201100000001 计划名称 计划单位 计划类别\r\n" +
                              " 2 漏报 201100000002 计划名称 计划单位 计划类别\r\n");
        QCOMPARE(f.prompts.texts(), QStringList{kDone});
    }

    void emptyPlanList()
    {
        Fixture f(Projects{{"201100000001", ""}});
        f.planList({});
        QCOMPARE(f.run(), heading(0, 1) + " 1 错报 201100000001 名称01 承担单位 主管单位\r\n");
    }

    // An amount that is not a number plans nothing; it never takes the row before's amount.
    void amountNotANumber()
    {
        Fixture f(Projects{{"201100000001", "125"}, {"201100000002", "125"}});
        f.planList({planRow(n(201100000001), n(12.5)), planRow(n(201100000002), t("不详"))});
        QCOMPARE(f.run(), heading(2, 2) + " 1 金额错误 201100000002 名称02 承担单位\r\n");
    }

    // A key that is not a number reads as 0: it is reported, and the next row still counts.
    void keyNotANumber()
    {
        Fixture f(Projects{{"201100000001", ""}});
        f.planList({planRow(t("待定")), planRow(n(201100000001))});
        QCOMPARE(f.run(), heading(2, 1) + " 1 漏报 待定 计划名称 计划单位 计划类别\r\n");
    }

    void leadingZerosKeptInTextKey()
    {
        Fixture f(Projects{{"201100000001", "10"}});
        f.planList({planRow(t("0201100000001"), n(5)), planRow(t("0201100000002"))});
        QCOMPARE(f.run(), heading(2, 1) + " 1 金额错误 201100000001 名称01 承担单位\r\n" +
                              " 2 漏报 0201100000002 计划名称 计划单位 计划类别\r\n");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("messages");
        const QString warning = QStringLiteral(
            "有Excel程序驻留内存，可能无法正确加载数据文件。请按Ctrl+Alt+Del键，在任务管理器中将其"
            "关闭，然后重新执行程序或重新启动计算机。否则，可能会引起计算错误。");
        QTest::newRow("missing workbook") << "missing" << QStringList{"failure"};
        QTest::newRow("permission denied") << "denied" << QStringList{warning, "failure"};
        // The office's own failure is not blamed on the file.
        QTest::newRow("office cannot start")
            << "no office"
            << QStringList{QStringLiteral("办公软件无法使用！项目上报情况核对未完成。")};
    }
    void failures()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, messages);
        Fixture f(Projects{{"201100000001", ""}});
        if (setup != "missing")
            f.planList({planRow(n(201100000001))});
        if (setup == "denied")
            f.office.deniedPaths << f.planPath();
        if (setup == "no office")
            f.office.cannotStart = true;
        f.reportBox.setPlainText(QStringLiteral("上次的结果"));
        f.commands.CommandItem_Click();
        messages.replaceInStrings(QStringLiteral("failure"),
                                  QStringLiteral("读取") + f.planPath() +
                                      QStringLiteral("失败！项目上报情况核对未完成。"));
        QCOMPARE(f.prompts.texts(), messages);
        QVERIFY(!f.prompts.texts().contains(kDone));
        QCOMPARE(f.reportBox.toPlainText(), QStringLiteral("上次的结果"));
        QVERIFY(!f.prompts.shown.last().details.isEmpty()); // the reason, for the user
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestReconcileCommand)
#include "tst_reconcilecommand.moc"
