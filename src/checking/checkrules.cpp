#include "checkrules.h"

#include "fieldcatalogue.h"
#include "surveyrecord.h"
#include "vbtext.h"

#include <cmath>

namespace {

// A field the rules read: its column, found once, and whether its box shows it through the
// whole-number format.
struct Ref
{
    int column;
    bool number;

    explicit Ref(const char *code)
        : column(RecordColumns::indexOf(QString::fromLatin1(code))), number(false)
    {
        Q_ASSERT(column >= 0);
        const FieldSpec *def = FieldCatalogue::field(QString::fromLatin1(code));
        number = def && def->kind == FieldKind::Number;
    }
};

// The common case read quickly: empty text, or up to 15 digits and nothing else, reads as
// the whole number the digits spell, shown or not through the whole-number format.
bool plainDigits(const QString &text, double &value)
{
    if (text.size() > 15)
        return false;
    qint64 whole = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        whole = whole * 10 + (c.unicode() - u'0');
    }
    value = double(whole);
    return true;
}

// Reads one record the way its boxes show it and writes the failure lines.
class Judge
{
public:
    Judge(const SurveyRecord &record, CheckState &state) : m_record(record), m_state(state) {}

    // The text the field's box shows.
    QString text(const Ref &f) const
    {
        const QString stored = m_record.value(f.column);
        return f.number ? VbText::wholeNumberDisplay(stored) : stored;
    }
    // The numeric reading of that text (0 for an empty box).
    double val(const Ref &f) const
    {
        const QString stored = m_record.value(f.column);
        double value = 0;
        if (plainDigits(stored, value))
            return value;
        return VbText::numericValue(f.number ? VbText::wholeNumberDisplay(stored) : stored);
    }
    qsizetype len(const Ref &f) const { return text(f).size(); }
    QString left2(const Ref &f) const { return text(f).left(2); }

    // One failure line: "项目", the project number as its box shows it, the message, CR LF.
    void fail(const char *message)
    {
        static const Ref JB02("JB02");
        m_state.CheckError = 1;
        m_state.CheckMessage += QStringLiteral("项目") + text(JB02) + QString::fromUtf8(message) +
                                QStringLiteral("\r\n");
    }
    void failIf(bool failed, const char *message)
    {
        if (failed)
            fail(message);
    }

private:
    const SurveyRecord &m_record;
    CheckState &m_state;
};

// |a - b - c - ...| > 0.1, subtracting in the order written.
double difference(std::initializer_list<double> terms)
{
    auto it = terms.begin();
    double result = *it;
    for (++it; it != terms.end(); ++it)
        result -= *it;
    return result;
}

bool offBy(std::initializer_list<double> terms)
{
    return std::fabs(difference(terms)) > 0.1;
}

bool outside(double value, double low, double high)
{
    return value < low || value > high;
}

} // namespace

void CheckCoverAndTable1(const SurveyRecord &record, CheckState &state)
{
    static const Ref JB411("JB411"), JB412("JB412"), JB413("JB413");
    static const Ref JB431("JB431"), JB432("JB432"), JB433("JB433");
    static const Ref JB22("JB22"), JB24("JB24"), JB63_1("JB63_1"), JB63_2("JB63_2");
    static const Ref JB25("JB25"), JB26("JB26"), JB27("JB27"), JB61("JB61"), JB71("JB71");
    static const Ref JB72_01("JB72_01"), JB62("JB62"), JB64("JB64"), JB65("JB65");
    static const Ref JB81("JB81"), JB82("JB82"), JB83("JB83"), JB01("JB01"), JB02("JB02");
    Judge j(record, state);

    j.failIf(j.len(JB411) < 2 || j.len(JB412) < 2 || j.len(JB413) < 2,
             " 表一 JH41项目参加人员漏填！");
    j.failIf(outside(j.val(JB431), 1930, 2000) || outside(j.val(JB432), 1930, 2000) ||
                 outside(j.val(JB433), 1930, 2000),
             " 表一 JH43出生年填写有误！");
    j.failIf(j.left2(JB22) != QLatin1StringView("73") || j.len(JB22) != 6,
             " 表一 JH22行政区划代码填写有误！");
    j.failIf(j.len(JB24) != 6, " 表一 JH24邮政编码填写有误！");
    const double start = j.val(JB63_1);
    const double end = j.val(JB63_2);
    j.failIf(outside(start, 2005, 2020) || outside(end, 2005, 2020),
             " 表一 JH63项目起至年限填写有误！");
    j.failIf(end < start, " 表一 JH63项目起至年限填写有误！");
    j.failIf(j.len(JB25) < 3, " 表一 JH25单位性质代码选择有误！");
    j.failIf(j.len(JB26) < 3, " 表一 JH26主管单位代码选择有误！");
    j.failIf(j.len(JB27) < 3, " 表一 JH27项目活动类型代码选择有误！");
    j.failIf(j.len(JB61) < 3, " 表一 JH61项目计划类别代码选择有误！");
    j.failIf(j.len(JB71) < 3, " 表一 JH71项目进展情况代码选择有误！");
    j.failIf(j.val(JB71) > 2 && j.len(JB72_01) < 3, " 表一 JH71项目拖延或取消原因未填！");
    j.failIf(j.len(JB62) < 3, " 表一 JH62项目技术领域代码选择有误！");
    j.failIf(j.len(JB64) < 3, " 表一 技术来源JH64代码选择有误！");
    j.failIf(j.len(JB65) < 3, " 表一 预期主要的成果形式JH65代码选择有误！");
    j.failIf(j.len(JB81) < 2, " 表一 JH81项目是否鉴定填写有误！");
    const bool appraised = j.val(JB81) < 2;
    j.failIf(appraised && j.len(JB82) < 3, " 表一 JH82项目鉴定时间未填！");
    j.failIf(appraised && j.len(JB83) < 3, " 表一 JH82项目鉴定技术水平未填！");
    j.failIf(j.len(JB01) < 3, " 封面 JH01项目名称填写有误！");
    j.failIf(j.len(JB02) < 7, " 封面 JH02项目编号填写有误！");
}

void CheckTable2(const SurveyRecord &record, CheckState &state)
{
    static const Ref JF1001("JF1001"), JF1701("JF1701"), JF1101("JF1101"), JF1201("JF1201"),
        JF1301("JF1301"), JF1401("JF1401"), JF1501("JF1501"), JF1601("JF1601");
    static const Ref JF1002("JF1002"), JF1702("JF1702"), JF1102("JF1102"), JF1202("JF1202"),
        JF1302("JF1302"), JF1402("JF1402"), JF1502("JF1502"), JF1602("JF1602");
    static const Ref JF2001("JF2001"), JF2002("JF2002"), JF4001("JF4001"), JF4002("JF4002");
    static const Ref JF3001("JF3001"), JF3111("JF3111"), JF3121("JF3121"), JF3131("JF3131"),
        JF3141("JF3141");
    static const Ref JF3002("JF3002"), JF3112("JF3112"), JF3122("JF3122"), JF3132("JF3132"),
        JF3142("JF3142");
    Judge j(record, state);

    const double in1 = j.val(JF1001), in2 = j.val(JF1002);
    const double out1 = j.val(JF2001), out2 = j.val(JF2002);
    j.failIf(in1 > 1000000 || in2 > 1000000 || out1 > 1000000 || out2 > 1000000,
             " 表二资金合计数（JF100、JF200） > 1000000千元（十亿元！！），请核对！");
    j.failIf(offBy({in1, j.val(JF1701), j.val(JF1101), j.val(JF1201), j.val(JF1301), j.val(JF1401),
                    j.val(JF1501), j.val(JF1601)}),
             " 表二 JF100 = JF170+JF110+JF120+JF130+JF140+JF150+JF160，累计数有误！");
    j.failIf(offBy({in2, j.val(JF1702), j.val(JF1102), j.val(JF1202), j.val(JF1302), j.val(JF1402),
                    j.val(JF1502), j.val(JF1602)}),
             " 表二 JF100 = JF170+JF110+JF120+JF130+JF140+JF150+JF160，当年数有误！");
    j.failIf(difference({in1, out1, j.val(JF4001)}) != 0,
             " 表二 JF400 = JF100-JF200，累计数有误！");
    j.failIf(difference({in2, out2, j.val(JF4002)}) != 0,
             " 表二 JF400 = JF100-JF200，当年数有误！");
    j.failIf(offBy({j.val(JF3001), j.val(JF3111), j.val(JF3121), j.val(JF3131), j.val(JF3141)}),
             " 表二 JF300 = JF311+JF312+JF313+JF314，累计数有误！");
    j.failIf(offBy({j.val(JF3002), j.val(JF3112), j.val(JF3122), j.val(JF3132), j.val(JF3142)}),
             " 表二 JF300 = JF311+JF312+JF313+JF314，当年数有误！");
}

void CheckTable3(const SurveyRecord &record, CheckState &state)
{
    static const Ref JL100("JL100"), JL110("JL110"), JL430("JL430"), JL440("JL440");
    static const Ref JL120("JL120"), JL130("JL130"), JL140("JL140"), JL150("JL150");
    static const Ref JL160("JL160"), JL400("JL400"), JL410("JL410"), JL420("JL420");
    // JL170 and JL180 have no box: the rule counts them as 0.
    constexpr double JL170 = 0, JL180 = 0;
    Judge j(record, state);

    const double total = j.val(JL100);
    j.failIf(offBy({total, j.val(JL110), j.val(JL430), j.val(JL440)}),
             " 表三 JL100 = JL110+JL430+JL440，有误！");
    j.failIf(difference({total, j.val(JL120), j.val(JL130)}) < 0,
             " 表三 JL100 >= JL120+JL130，有误！");
    j.failIf(difference({total, j.val(JL140), j.val(JL150)}) < 0,
             " 表三 JL100 >= JL140+JL150，有误！");
    j.failIf(difference({total, j.val(JL160), JL170, JL180}) < 0,
             " 表三 JL100 >= JL160+JL170+JL180，有误！");
    j.failIf(difference({j.val(JL400), j.val(JL410), j.val(JL420)}) < 0,
             " 表三 JL400 >= JL410+JL420，有误！");
}

void CheckTable4(const SurveyRecord &record, CheckState &state)
{
    static const Ref JG901("JG901"), JG911("JG911"), JG912("JG912"), JG913("JG913");
    static const Ref JG902("JG902"), JG914("JG914"), JG915("JG915"), JG916("JG916");
    static const Ref JG702("JG702"), JG710("JG710"), JG711("JG711"), JG720("JG720");
    static const Ref JG131("JG131");
    Judge j(record, state);

    j.failIf(offBy({j.val(JG901), j.val(JG911), j.val(JG912), j.val(JG913)}),
             " 表四 JG901 = JG911+JG912+JG913，有误！");
    j.failIf(offBy({j.val(JG902), j.val(JG914), j.val(JG915), j.val(JG916)}),
             " 表四 JG902 = JG914+JG915+JG916，有误！");
    j.failIf(difference({j.val(JG702), j.val(JG710)}) < 0, " 表四 JG702 >= JG710，有误！");
    j.failIf(difference({j.val(JG710), j.val(JG711)}) < 0, " 表四 JG710 >= JG711，有误！");
    j.failIf(difference({j.val(JG702), j.val(JG720)}) < 0, " 表四 JG702 >= JG720，有误！");
    j.failIf(j.val(JG131) > 1500000, " 表四 新增产值 > 1500000千元（15亿元！！），请核对！");
}
