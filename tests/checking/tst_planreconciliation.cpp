#include "planreconciliation.h"
#include "surveyrecord.h"

#include <QTest>

using namespace PlanReconciliation;

namespace {

const QString A = QStringLiteral("201100000001");
const QString B = QStringLiteral("201100000002");
const QString C = QStringLiteral("201100000003");
const QString D = QStringLiteral("201100000004");

PlanRow planned(const QString &key, double amount = 0)
{
    PlanRow row;
    row.key = key;
    row.texts[0] = QStringLiteral("名称") + key.right(1);
    row.texts[1] = QStringLiteral("单位") + key.right(1);
    row.texts[2] = QStringLiteral("类别") + key.right(1);
    row.amount = plannedAmount(amount);
    return row;
}

ReportedProject reported(const QString &number, const QString &jf1102 = QString())
{
    SurveyRecord record;
    record.setValue(u"JB02", number);
    record.setValue(u"JB01", QStringLiteral("项目") + number.right(1));
    record.setValue(u"XMCDDW", QStringLiteral("承担") + number.right(1));
    record.setValue(u"ZGDW", QStringLiteral("主管") + number.right(1));
    record.setValue(u"JF1102", jf1102);
    return ReportedProject::from(record);
}

QString heading(const char *planned, const char *reportedCount)
{
    return QStringLiteral("项目上报情况核对结果\r\n项目总数：") + planned +
           QStringLiteral("，上报项目数：") + reportedCount +
           QStringLiteral("\r\n以下是漏报或错报项目\r\n"
                          "===========================================\r\n");
}

QString missing(const char *n, const QString &key)
{
    const QString d = key.right(1);
    return QString::fromLatin1(n) + QStringLiteral(" 漏报 ") + key + QStringLiteral(" 名称") + d +
           QStringLiteral(" 单位") + d + QStringLiteral(" 类别") + d + QStringLiteral("\r\n");
}

QString unplanned(const char *n, const QString &number)
{
    const QString d = number.right(1);
    return QString::fromLatin1(n) + QStringLiteral(" 错报 ") + number + QStringLiteral(" 项目") +
           d + QStringLiteral(" 承担") + d + QStringLiteral(" 主管") + d + QStringLiteral("\r\n");
}

// The key written as a number: one blank, no leading zeros.
QString wrongAmount(const char *n, const QString &keyDigits)
{
    const QString d = keyDigits.right(1);
    return QString::fromLatin1(n) + QStringLiteral(" 金额错误 ") + keyDigits +
           QStringLiteral(" 项目") + d + QStringLiteral(" 承担") + d + QStringLiteral("\r\n");
}

} // namespace

class TestPlanReconciliation : public QObject
{
    Q_OBJECT

private slots:
    void report_data()
    {
        QTest::addColumn<QVector<PlanRow>>("plan");
        QTest::addColumn<QVector<ReportedProject>>("records");
        QTest::addColumn<QString>("expected");

        QTest::newRow("same projects, same amounts")
            << QVector<PlanRow>{planned(A, 12.5), planned(B), planned(C, 3)}
            << QVector<ReportedProject>{reported(A, "125"), reported(B), reported(C, "30")}
            << heading(" 3", " 3");
        QTest::newRow("planned and missing") << QVector<PlanRow>{planned(A), planned(B), planned(C)}
                                             << QVector<ReportedProject>{reported(A), reported(C)}
                                             << heading(" 3", " 2") + missing(" 1", B);
        QTest::newRow("reported and not planned; the next one is still compared")
            << QVector<PlanRow>{planned(A), planned(C, 1)}
            << QVector<ReportedProject>{reported(A), reported(B), reported(C)}
            << heading(" 2", " 3") + unplanned(" 1", B) + wrongAmount(" 2", C);
        QTest::newRow("both empty")
            << QVector<PlanRow>{} << QVector<ReportedProject>{} << heading(" 0", " 0");
        QTest::newRow("empty amount and no appropriation")
            << QVector<PlanRow>{planned(A)} << QVector<ReportedProject>{reported(A, "0")}
            << heading(" 1", " 1");
        QTest::newRow("amount 12.5 against 126")
            << QVector<PlanRow>{planned(A, 12.5)} << QVector<ReportedProject>{reported(A, "126")}
            << heading(" 1", " 1") + wrongAmount(" 1", A);
        QTest::newRow("amount 12.5 against 125")
            << QVector<PlanRow>{planned(A, 12.5)} << QVector<ReportedProject>{reported(A, "125")}
            << heading(" 1", " 1");
        QTest::newRow("appropriation read as shown: 125.4 is 125")
            << QVector<PlanRow>{planned(A, 12.5)} << QVector<ReportedProject>{reported(A, "125.4")}
            << heading(" 1", " 1");
        QTest::newRow("single-precision amount 12.6 against 126")
            << QVector<PlanRow>{planned(A, 12.6)} << QVector<ReportedProject>{reported(A, "126")}
            << heading(" 1", " 1");
        QTest::newRow("line numbers run over every kind")
            << QVector<PlanRow>{planned(A, 1), planned(B), planned(D)}
            << QVector<ReportedProject>{reported(A), reported(C), reported(D)}
            << heading(" 3", " 3") + wrongAmount(" 1", A) + missing(" 2", B) + unplanned(" 3", C);
    }
    void report()
    {
        QFETCH(QVector<PlanRow>, plan);
        QFETCH(QVector<ReportedProject>, records);
        QFETCH(QString, expected);
        QCOMPARE(PlanReconciliation::report(plan, records), expected);
    }

    void plannedAmountIsSinglePrecision_data()
    {
        QTest::addColumn<double>("cell");
        QTest::addColumn<double>("amount");
        QTest::newRow("empty") << 0.0 << 0.0;
        QTest::newRow("12.5") << 12.5 << 12.5;
        QTest::newRow("12.6") << 12.6 << 12.6;
        QTest::newRow("seven digits") << 1234.56789 << 1234.568;
        QTest::newRow("beyond single range") << 1e300 << 3.402823e38;
    }
    void plannedAmountIsSinglePrecision()
    {
        QFETCH(double, cell);
        QFETCH(double, amount);
        QCOMPARE(plannedAmount(cell), amount);
    }
};

QTEST_APPLESS_MAIN(TestPlanReconciliation)
#include "tst_planreconciliation.moc"
