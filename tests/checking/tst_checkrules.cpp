#include "checkrules.h"
#include "passingrecord.h"
#include "surveyrecord.h"

#include <QTest>

namespace {

void runAll(const SurveyRecord &record, CheckState &state)
{
    CheckCoverAndTable1(record, state);
    CheckTable2(record, state);
    CheckTable3(record, state);
    CheckTable4(record, state);
}

QString lines(const QString &number, const QStringList &messages)
{
    QString out;
    for (const QString &m : messages)
        out += QStringLiteral("项目") + number + m + QStringLiteral("\r\n");
    return out;
}

const QString T1_41 = QStringLiteral(" 表一 JH41项目参加人员漏填！");
const QString T1_43 = QStringLiteral(" 表一 JH43出生年填写有误！");
const QString T1_22 = QStringLiteral(" 表一 JH22行政区划代码填写有误！");
const QString T1_24 = QStringLiteral(" 表一 JH24邮政编码填写有误！");
const QString T1_63 = QStringLiteral(" 表一 JH63项目起至年限填写有误！");
const QString T1_25 = QStringLiteral(" 表一 JH25单位性质代码选择有误！");
const QString T1_26 = QStringLiteral(" 表一 JH26主管单位代码选择有误！");
const QString T1_27 = QStringLiteral(" 表一 JH27项目活动类型代码选择有误！");
const QString T1_61 = QStringLiteral(" 表一 JH61项目计划类别代码选择有误！");
const QString T1_71 = QStringLiteral(" 表一 JH71项目进展情况代码选择有误！");
const QString T1_72 = QStringLiteral(" 表一 JH71项目拖延或取消原因未填！");
const QString T1_62 = QStringLiteral(" 表一 JH62项目技术领域代码选择有误！");
const QString T1_64 = QStringLiteral(" 表一 技术来源JH64代码选择有误！");
const QString T1_65 = QStringLiteral(" 表一 预期主要的成果形式JH65代码选择有误！");
const QString T1_81 = QStringLiteral(" 表一 JH81项目是否鉴定填写有误！");
const QString T1_82 = QStringLiteral(" 表一 JH82项目鉴定时间未填！");
const QString T1_83 = QStringLiteral(" 表一 JH82项目鉴定技术水平未填！");
const QString C_01 = QStringLiteral(" 封面 JH01项目名称填写有误！");
const QString C_02 = QStringLiteral(" 封面 JH02项目编号填写有误！");
const QString T2_1 =
    QStringLiteral(" 表二资金合计数（JF100、JF200） > 1000000千元（十亿元！！），请核对！");
const QString T2_2 =
    QStringLiteral(" 表二 JF100 = JF170+JF110+JF120+JF130+JF140+JF150+JF160，累计数有误！");
const QString T2_3 =
    QStringLiteral(" 表二 JF100 = JF170+JF110+JF120+JF130+JF140+JF150+JF160，当年数有误！");
const QString T2_4 = QStringLiteral(" 表二 JF400 = JF100-JF200，累计数有误！");
const QString T2_5 = QStringLiteral(" 表二 JF400 = JF100-JF200，当年数有误！");
const QString T2_6 = QStringLiteral(" 表二 JF300 = JF311+JF312+JF313+JF314，累计数有误！");
const QString T2_7 = QStringLiteral(" 表二 JF300 = JF311+JF312+JF313+JF314，当年数有误！");
const QString T3_1 = QStringLiteral(" 表三 JL100 = JL110+JL430+JL440，有误！");
const QString T3_2 = QStringLiteral(" 表三 JL100 >= JL120+JL130，有误！");
const QString T3_3 = QStringLiteral(" 表三 JL100 >= JL140+JL150，有误！");
const QString T3_4 = QStringLiteral(" 表三 JL100 >= JL160+JL170+JL180，有误！");
const QString T3_5 = QStringLiteral(" 表三 JL400 >= JL410+JL420，有误！");
const QString T4_1 = QStringLiteral(" 表四 JG901 = JG911+JG912+JG913，有误！");
const QString T4_2 = QStringLiteral(" 表四 JG902 = JG914+JG915+JG916，有误！");
const QString T4_3 = QStringLiteral(" 表四 JG702 >= JG710，有误！");
const QString T4_4 = QStringLiteral(" 表四 JG710 >= JG711，有误！");
const QString T4_5 = QStringLiteral(" 表四 JG702 >= JG720，有误！");
const QString T4_6 = QStringLiteral(" 表四 新增产值 > 1500000千元（15亿元！！），请核对！");

} // namespace

class TestCheckRules : public QObject
{
    Q_OBJECT

private slots:
    // Each rule with a record that passes it and one that fails it: the changes made to a
    // record passing every rule, and the messages expected from all four procedures.
    void rules_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QStringList>("messages");
        auto row = [](const char *name, const QStringList &changes, const QStringList &messages) {
            QTest::newRow(name) << changes << messages;
        };
        row("clean record", {}, {});
        // cover and table 1
        row("1 person name of one character", {"JB412=李"}, {T1_41});
        row("1 third person name of one character", {"JB413=赵"}, {T1_41});
        row("1 person names of two characters", {"JB411=张三", "JB413=赵六"}, {});
        row("2 birth year 1930 and 2000 pass", {"JB431=1930", "JB433=2000"}, {});
        row("2 birth year 1929", {"JB432=1929"}, {T1_43});
        row("2 birth year 2001", {"JB433=2001"}, {T1_43});
        row("2 birth year empty", {"JB431="}, {T1_43});
        row("3 region of four characters", {"JB22=7301"}, {T1_22});
        row("3 region of another province", {"JB22=740101"}, {T1_22});
        row("3 region of seven characters", {"JB22=7301011"}, {T1_22});
        row("4 postcode of five digits", {"JB24=73000"}, {T1_24});
        row("4 postcode of six digits", {"JB24=100000"}, {});
        row("5 start year 2004, end 2010", {"JB63_1=2004", "JB63_2=2010"}, {T1_63});
        row("5 end year 2021", {"JB63_2=2021"}, {T1_63});
        row("5 years 2005 and 2020 pass", {"JB63_1=2005", "JB63_2=2020"}, {});
        row("6 end before start", {"JB63_1=2010", "JB63_2=2009"}, {T1_63});
        row("6 equal years", {"JB63_1=2011", "JB63_2=2011"}, {});
        row("5 and 6 both", {"JB63_1=2030", "JB63_2=2010"}, {T1_63, T1_63});
        row("7 unit nature stub", {"JB25=1."}, {T1_25});
        row("8 competent unit empty", {"JB26="}, {T1_26});
        row("9 activity type stub", {"JB27=12"}, {T1_27});
        row("10 plan category empty", {"JB61="}, {T1_61});
        row("11 progress empty", {"JB71="}, {T1_71});
        row("12 delayed without reason", {"JB71=3.拖延"}, {T1_72});
        row("12 delayed with reason", {"JB71=3.拖延", "JB72_01=1.资金不到位"}, {});
        row("12 ahead without reason", {"JB71=2.进度超前"}, {});
        row("12 cancel without reason", {"JB71=5.申请撤销"}, {T1_72});
        row("13 field empty", {"JB62="}, {T1_62});
        row("14 source empty", {"JB64="}, {T1_64});
        row("15 outcome form empty", {"JB65="}, {T1_65});
        row("16 17 18 appraisal empty", {"JB81="}, {T1_81, T1_82, T1_83});
        row("17 18 appraised without date and level", {"JB81=1.是"}, {T1_82, T1_83});
        row("17 18 appraised with date and level", {"JB81=1.是", "JB82=2011-06", "JB83=1.国际领先"},
            {});
        row("18 appraised without level", {"JB81=1.是", "JB82=2011-06"}, {T1_83});
        row("17 18 appraisal text without a number", {"JB81=不鉴定"}, {T1_82, T1_83});
        row("19 name of two characters", {"JB01=项目"}, {C_01});
        row("19 name of three characters", {"JB01=新项目"}, {});
        row("20 number of six characters", {"JB02=201101"}, {C_02});
        row("20 number of seven characters", {"JB02=2011011"}, {});
        // table 2
        row("1 total 1000000 passes",
            {"JF1001=1000000", "JF1401=999940", "JF2001=999970", "JF4001=30"}, {});
        row("1 total 1000001", {"JF1001=1000001", "JF1401=999941", "JF2001=999971", "JF4001=30"},
            {T2_1});
        row("1 two totals over, one line",
            {"JF1002=2000000", "JF1102=2000000", "JF2002=1999970", "JF4002=30"}, {T2_1});
        row("2 cumulative sources 1 short", {"JF1401=39"}, {T2_2});
        row("2 shown rounded: 100.4 reads 100", {"JF1001=100.4"}, {});
        row("2 shown rounded: 100.5 reads 101", {"JF1001=100.5"}, {T2_2, T2_4});
        row("3 current-year sources", {"JF1702=1"}, {T2_3});
        row("4 balance off by 1", {"JF4001=31"}, {T2_4});
        row("5 balance off by 1", {"JF4002=29"}, {T2_5});
        row("5 negative balance", {"JF2002=60", "JF4002=-10"}, {});
        row("6 use of appropriation", {"JF3141=1"}, {T2_6});
        row("7 use of appropriation", {"JF3002=5"}, {T2_7});
        row("7 balanced", {"JF3002=5", "JF3142=5"}, {});
        // table 3
        row("1 people total", {"JL440=2"}, {T3_1});
        row("2 titles above total", {"JL130=8"}, {T3_2});
        row("2 titles equal to total", {"JL130=7"}, {});
        row("3 degrees above total", {"JL150=9"}, {T3_3});
        row("4 young people above total", {"JL160=11"}, {T3_4});
        row("4 JL170 has no box and counts 0", {"JL170=5", "JL180=5"}, {});
        row("5 trained people", {"JL420=2"}, {T3_5});
        // table 4
        row("1 JG901", {"JG913=2"}, {T4_1});
        row("2 JG902", {"JG914=1"}, {T4_2});
        row("2 JG902 balanced", {"JG902=3", "JG914=1", "JG915=1", "JG916=1"}, {});
        row("3 JG702 below JG710", {"JG710=11", "JG711=5"}, {T4_3});
        row("4 JG710 below JG711", {"JG711=6"}, {T4_4});
        row("5 JG702 below JG720", {"JG720=11"}, {T4_5});
        row("6 new output value 1500001", {"JG131=1500001"}, {T4_6});
        // numbers too large to read
        row("huge amount saturates", {"JF1001=1e999"}, {T2_1, T2_2, T2_4});
        row("huge output value saturates", {"JG131=" + QString(400, u'9')}, {T4_6});
        row("huge birth year", {"JB431=" + QString(400, u'9')}, {T1_43});
        // several rules of several procedures, in order
        row("several rules in order", {"JB02=201102", "JB24=", "JF4002=0", "JL160=11", "JG131=2e6"},
            {T1_24, C_02, T2_5, T3_4, T4_6});
    }
    void rules()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, messages);
        const SurveyRecord record = passingRecordWith(changes);
        CheckState state;
        runAll(record, state);
        QCOMPARE(state.CheckMessage, lines(record.value(u"JB02"), messages));
        QCOMPARE(state.CheckError, qint16(messages.isEmpty() ? 0 : 1));
    }

    void emptyRecordFailsEighteenCoverRules()
    {
        const SurveyRecord empty;
        CheckState state;
        CheckCoverAndTable1(empty, state);
        QCOMPARE(state.CheckMessage,
                 lines(QString(), {T1_41, T1_43, T1_22, T1_24, T1_63, T1_25, T1_26, T1_27, T1_61,
                                   T1_71, T1_62, T1_64, T1_65, T1_81, T1_82, T1_83, C_01, C_02}));
        CheckState others;
        CheckTable2(empty, others);
        CheckTable3(empty, others);
        CheckTable4(empty, others);
        QCOMPARE(others.CheckError, qint16(0));
        QVERIFY(others.CheckMessage.isEmpty());
    }

    void proceduresOnlyAppendAndNeverClear()
    {
        const SurveyRecord record = passingRecordWith({"JL440=2"});
        CheckState state;
        CheckTable3(record, state);
        CheckTable3(record, state);
        QCOMPARE(state.CheckMessage, lines(QStringLiteral("201100000001"), {T3_1, T3_1}));
        CheckTable3(passingRecord(), state);
        QCOMPARE(state.CheckError, qint16(1)); // a passing record leaves the flag set
    }
};

QTEST_APPLESS_MAIN(TestCheckRules)
#include "tst_checkrules.moc"
