// The reconciliation against plan-list workbooks made here through the real office.
#include "calcspreadsheet.h"
#include "cellblock.h"
#include "libreofficesuite.h"
#include "planlist.h"
#include "sharedoffice.h"
#include "testwindow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/wait.h>

namespace {

// One row of a plan list: project number, name, unit, category, amount (ten 千元).
using PlanLine = QStringList;

bool writePlanList(LibreOfficeSuite &suite, const QString &path, const QList<PlanLine> &lines)
{
    CalcSpreadsheet sheet(suite.process());
    if (!sheet.createNew().ok())
        return false;
    CellBlock block(1, 1, int(lines.size()) + 1, 6);
    const QStringList heading = {"序号", "项目编号", "项目名称", "承担单位", "计划类别", "省拨款"};
    for (int c = 0; c < heading.size(); ++c)
        block.setText(1, c + 1, heading[c]);
    for (int r = 0; r < lines.size(); ++r) {
        block.setText(r + 2, 1, QString::number(r + 1));
        for (int c = 0; c < lines[r].size(); ++c)
            block.setText(r + 2, c + 2, lines[r][c]);
    }
    const bool ok = sheet.writeBlock(block).ok() && sheet.saveAs(path).ok();
    sheet.close();
    return ok;
}

// The office of the test program, ended as soon as a workbook is open: the spreadsheet then
// holds a workbook of an office that is gone when it is read.
class OfficeEndingAfterOpen : public OfficeSuite
{
public:
    explicit OfficeEndingAfterOpen(LibreOfficeSuite &suite) : m_suite(suite) {}
    std::unique_ptr<Spreadsheet> createSpreadsheet() override
    {
        return std::make_unique<Sheet>(m_suite.process());
    }
    WordApp &wordApp() override { return m_suite.wordApp(); }

private:
    class Sheet : public CalcSpreadsheet
    {
    public:
        explicit Sheet(OfficeProcess &process) : CalcSpreadsheet(process), m_process(process) {}
        OfficeStatus open(const QString &path) override
        {
            const OfficeStatus status = CalcSpreadsheet::open(path);
            const pid_t office = pid_t(m_process.processId());
            siginfo_t ended = {};
            if (office > 0 && ::kill(office, SIGKILL) == 0) // waited for; reaped by its owner
                ::waitid(P_PID, id_t(office), &ended, WEXITED | WNOWAIT);
            return status;
        }

    private:
        OfficeProcess &m_process;
    };

    LibreOfficeSuite &m_suite;
};

struct Project
{
    QString number, name, unit, competentUnit, jf1102;
};

} // namespace

class TestReconcileOffice : public OfficeTestCase
{
    Q_OBJECT

private slots:
    void reconcileCommand()
    {
        QTemporaryDir dir;
        QVERIFY(writePlanList(suite(), QDir(dir.path()).filePath("2011计划.xls"),
                              {
                                  {"201100000001", "甲项目", "甲单位", "重点", "12.5"},
                                  {"201100000002", "乙项目", "乙单位", "一般", "3"},
                                  {"201100000004", "丁项目", "丁单位", "一般", "4"},
                                  {"201100000005", "戊项目", "戊单位", "重点", ""},
                                  {"201100000006", "己项目", "己单位", "重点", "7"},
                              }));
        const QList<Project> projects = {
            {"201100000001", "甲", "甲承担", "甲主管", "125"}, // planned, same amount
            {"201100000003", "丙", "丙承担", "丙主管", "10"},  // not planned
            {"201100000004", "丁", "丁承担", "丁主管", "41"},  // amount differs
            {"201100000005", "戊", "戊承担", "戊主管", ""},    // empty amount, none spent
            {"201100000007", "庚", "庚承担", "庚主管", ""},    // past the last planned
        };
        {
            RecordStore store;
            QVERIFY(store.open(dir.path()));
            for (const Project &p : projects) {
                QVERIFY(store.addNew());
                store.setValue(0, p.name);
                store.setValue(1, p.number);
                store.setValue(RecordColumns::indexOf(u"XMCDDW"), p.unit);
                store.setValue(RecordColumns::indexOf(u"ZGDW"), p.competentUnit);
                store.setValue(RecordColumns::indexOf(u"JF1102"), p.jf1102);
            }
            QVERIFY(store.close());
        }
        TestWindow form(dir.path(), sharedOffice());
        ScriptedPrompts &prompts = form.prompts;
        QVERIFY2(form.load(), qPrintable(form.loadError));
        form.store().moveLast();
        form.checkCommands().CommandItem_Click();

        QCOMPARE(form.checkCommands().reportText(),
                 QStringLiteral("项目上报情况核对结果\r\n"
                                "项目总数： 5，上报项目数： 5\r\n"
                                "以下是漏报或错报项目\r\n"
                                "===========================================\r\n"
                                " 1 漏报 201100000002 乙项目 乙单位 一般\r\n"
                                " 2 错报 201100000003 丙 丙承担 丙主管\r\n"
                                " 3 金额错误 201100000004 丁 丁承担\r\n"
                                " 4 漏报 201100000006 己项目 己单位 重点\r\n"
                                " 5 错报 201100000007 庚 庚承担 庚主管\r\n"));
        QCOMPARE(form.store().absolutePosition(), 1);
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral(
                                      "项目上报情况核对完成，请在数据审核结果框内查看结果。")});
        QCOMPARE(prompts.shown.last().title, QStringLiteral("科技项目统计"));
        QCOMPARE(prompts.shown.last().icon, MessageIcon::Exclamation);
    }

    void missingWorkbookIsAFailure()
    {
        QTemporaryDir dir;
        TestWindow form(dir.path(), sharedOffice());
        ScriptedPrompts &prompts = form.prompts;
        QVERIFY2(form.load(), qPrintable(form.loadError));
        form.checkReport()->setPlainText(QStringLiteral("earlier report"));
        form.checkCommands().CommandItem_Click();
        QCOMPARE(prompts.texts(),
                 QStringList{QStringLiteral("读取") + QDir(dir.path()).filePath("2011计划.xls") +
                             QStringLiteral("失败！项目上报情况核对未完成。")});
        QCOMPARE(form.checkReport()->toPlainText(), QStringLiteral("earlier report"));
    }

    // An office that ends while the list is read is told as the office failing, not the list.
    void officeEndingDuringTheReadIsTheOffice()
    {
        QTemporaryDir dir;
        QVERIFY(writePlanList(suite(), QDir(dir.path()).filePath("2011计划.xls"),
                              {{"201100000001", "甲项目", "甲单位", "重点", "12.5"}}));
        TestWindow form(dir.path(), std::make_unique<OfficeEndingAfterOpen>(suite()));
        QVERIFY2(form.load(), qPrintable(form.loadError));
        form.checkCommands().CommandItem_Click();
        QCOMPARE(form.prompts.texts(),
                 QStringList{QStringLiteral("办公软件无法使用！项目上报情况核对未完成。")});
        QVERIFY2(form.prompts.shown.last().details.contains(QStringLiteral("办公软件已退出")),
                 qPrintable(form.prompts.shown.last().details));
    }

    void unreadableWorkbookIsAFailure()
    {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("2011计划.xls");
        QVERIFY(QDir(dir.path()).mkdir("2011计划.xls")); // a folder of that name
        std::unique_ptr<Spreadsheet> sheet = suite().createSpreadsheet();
        QVector<PlanReconciliation::PlanRow> rows;
        QVERIFY(!PlanList::read(*sheet, path, &rows).ok());
        QVERIFY(rows.isEmpty());
    }

    // The list ends at the first empty cell of column 2, however long it is; cells are read
    // as they stand, and a cell that is not a number plans nothing.
    void readsWholeList()
    {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("plan.xls");
        QList<PlanLine> lines;
        for (int i = 1; i <= 1500; ++i)
            lines << PlanLine{QString::number(201100000000LL + i), "名称", "单位", "类别", "2.5"};
        lines[1][4] = "不详";
        lines << PlanLine{"", "after the end"} << PlanLine{"201100009999", "not read"};
        QVERIFY(writePlanList(suite(), path, lines));
        std::unique_ptr<Spreadsheet> sheet = suite().createSpreadsheet();
        QVector<PlanReconciliation::PlanRow> rows;
        const OfficeStatus status = PlanList::read(*sheet, path, &rows);
        QVERIFY2(status.ok(), qPrintable(status.text()));
        QCOMPARE(rows.size(), 1500);
        QCOMPARE(rows[0].key, QStringLiteral("201100000001"));
        QCOMPARE(rows[1499].key, QStringLiteral("201100001500"));
        QCOMPARE(rows[0].texts[2], QStringLiteral("类别"));
        QCOMPARE(rows[0].amount, 2.5);
        QCOMPARE(rows[1].amount, 0.0);
        QCOMPARE(rows[2].amount, 2.5);
        QVERIFY(!sheet->isOpen());
    }
};

QTEST_MAIN(TestReconcileOffice)
#include "tst_reconcile_office.moc"
