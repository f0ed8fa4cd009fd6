#include "fieldcatalogue.h"

#include <string_view>
#include <unordered_map>

namespace {

using K = FieldKind;
using P = Page;

const QVector<FieldSpec> kFields = {
    // Cover
    {"JB01", "TextJB01", P::Cover, "项目名称(JH01)", "LabelFM", 0, 80, K::Text},
    {"JB02", "TextJB02", P::Cover, "项目编号(JH02)", "LabelFM", 1, 12, K::Digits},
    {"ZGDW", "TextZGDW", P::Cover, "主管单位或推荐部门ZGDW", "LabelFM", 2, 80, K::Text},
    {"XMCDDW", "TextXMCDDW", P::Cover, "项目承担单位XMCDDW", "LabelFM", 3, 80, K::Text},
    {"JB03", "TextJB03", P::Cover, "单位负责人(JH03)", "LabelFM", 4, 10, K::Text},
    {"JB04", "TextJB04", P::Cover, "填表人(JH04)", "LabelFM", 5, 10, K::Text},
    {"JB05", "TextJB05", P::Cover, "电话(JH05)", "LabelFM", 6, 15, K::Text},
    {"JB06", "TextJB06", P::Cover, "与项目联系的E-mail(JH06)", "LabelFM", 7, 25, K::Text},
    {"TBSJ", "TextTBSJ", P::Cover, "填报时间TBSJ", "LabelFM", 8, 10, K::Date},
    // Table 1
    {"JB21", "TextJB21", P::Table1, "单位名称JH21", "LabelJB", 5, 80, K::Text},
    {"JB22", "TextJB22", P::Table1, "行政区划代码编码JH22", "LabelJB", 6, 6, K::Code},
    {"JB23", "TextJB23", P::Table1, "单位地址JH23", "LabelJB", 7, 80, K::Text},
    {"JB24", "TextJB24", P::Table1, "邮政编码JH24", "LabelJB", 8, 6, K::Digits},
    {"JB25", "TextJB25", P::Table1, "单位性质JH25", "LabelJB", 9, 50, K::Code},
    {"JB26", "TextJB26", P::Table1, "主管单位JH26", "LabelJB", 10, 50, K::Code},
    {"JB27", "TextJB27", P::Table1, "项目活动类型JH27", "LabelJB", 0, 50, K::Code},
    // Table 1 person grid, person by person
    {"JB411", "TextJB411", P::Table1, "姓名JH41", "LabelJB", 11, 10, K::Text},
    {"JB421", "TextJB421", P::Table1, "性别JH42", "LabelJB", 12, 4, K::Code},
    {"JB431", "TextJB431", P::Table1, "出生年JH43", "LabelJB", 13, 4, K::Year},
    {"JB441", "TextJB441", P::Table1, "学历JH44", "LabelJB", 14, 8, K::Code},
    {"JB451", "TextJB451", P::Table1, "学位JH45", "LabelJB", 15, 6, K::Code},
    {"JB461", "TextJB461", P::Table1, "职称JH46", "LabelJB", 16, 6, K::Code},
    {"JB471", "TextJB471", P::Table1, "类别JH47", "LabelJB", 17, 14, K::Code},
    {"JB481", "TextJB481", P::Table1, "联系电话JH48", "LabelJB", 18, 15, K::Text},
    {"JB412", "TextJB412", P::Table1, "姓名JH41", "LabelJB", 11, 10, K::Text},
    {"JB422", "TextJB422", P::Table1, "性别JH42", "LabelJB", 12, 4, K::Code},
    {"JB432", "TextJB432", P::Table1, "出生年JH43", "LabelJB", 13, 4, K::Year},
    {"JB442", "TextJB442", P::Table1, "学历JH44", "LabelJB", 14, 8, K::Code},
    {"JB452", "TextJB452", P::Table1, "学位JH45", "LabelJB", 15, 6, K::Code},
    {"JB462", "TextJB462", P::Table1, "职称JH46", "LabelJB", 16, 6, K::Code},
    {"JB472", "TextJB472", P::Table1, "类别JH47", "LabelJB", 17, 14, K::Code},
    {"JB482", "TextJB482", P::Table1, "联系电话JH48", "LabelJB", 18, 15, K::Text},
    {"JB413", "TextJB413", P::Table1, "姓名JH41", "LabelJB", 11, 10, K::Text},
    {"JB423", "TextJB423", P::Table1, "性别JH42", "LabelJB", 12, 4, K::Code},
    {"JB433", "TextJB433", P::Table1, "出生年JH43", "LabelJB", 13, 4, K::Year},
    {"JB443", "TextJB443", P::Table1, "学历JH44", "LabelJB", 14, 8, K::Code},
    {"JB453", "TextJB453", P::Table1, "学位JH45", "LabelJB", 15, 6, K::Code},
    {"JB463", "TextJB463", P::Table1, "职称JH46", "LabelJB", 16, 6, K::Code},
    {"JB473", "TextJB473", P::Table1, "类别JH47", "LabelJB", 17, 14, K::Code},
    {"JB483", "TextJB483", P::Table1, "联系电话JH48", "LabelJB", 18, 15, K::Text},
    {"JB51", "TextJB51", P::Table1, "协作单位名称JH51、53", "LabelJB", 19, 80, K::Text},
    {"JB53", "TextJB53", P::Table1, "协作单位名称JH51、53", "LabelJB", 19, 80, K::Text},
    {"JB52", "TextJB52", P::Table1, "协作单位性质JB52、54", "LabelJB", 20, 50, K::Code},
    {"JB54", "TextJB54", P::Table1, "协作单位性质JB52、54", "LabelJB", 20, 50, K::Code},
    {"JB61", "TextJB61", P::Table1, "计划类别JH61", "LabelJB", 21, 50, K::Code},
    {"JB62", "TextJB62", P::Table1, "技术领域JH62", "LabelJB", 22, 60, K::Code},
    {"JB63_1", "TextJB63_1", P::Table1, "起始时间(年：XXXX)JH63_1", "LabelJB", 23, 4, K::Digits},
    {"JB63_2", "TextJB63_2", P::Table1, "终止时间(年：XXXX)JB63_2", "LabelJB", 24, 4, K::Digits},
    {"JB64", "TextJB64", P::Table1, "技术来源JH64", "LabelJB", 25, 30, K::Code},
    {"JB65", "TextJB65", P::Table1, "预期主要的成果形式JH65", "LabelJB", 26, 40, K::Code},
    {"JB71", "TextJB71", P::Table1, "项目进展情况JH71", "LabelJB", 27, 20, K::Code},
    {"JB72_01", "TextJB72_01", P::Table1, "原因JH72_01", "LabelJB", 28, 20, K::Code},
    {"JB72_02", "TextJB72_02", P::Table1, "原因JH72_02", "LabelJB", 29, 20, K::Code},
    {"JB72_03", "TextJB72_03", P::Table1, "原因JH72_03", "LabelJB", 30, 20, K::Code},
    {"JB81", "TextJB81", P::Table1, "项目是否鉴定JH81", "LabelJB", 31, 4, K::Code},
    {"JB82", "TextJB82", P::Table1, "鉴定(验收)时间(年月XXXX-XX)JH82", "LabelJB", 32, 7,
     K::YearMonth},
    {"JB83", "TextJB83", P::Table1, "鉴定过的项目技术水平JH83", "LabelJB", 33, 12, K::Code},
    // Table 2: a row's cumulative field (…1) before its current-year field (…2)
    {"JF1001", "TextJF1001", P::Table2, "一、项目资金收入合计JF100", "LabelJF", 0, 7, K::Number},
    {"JF1002", "TextJF1002", P::Table2, "一、项目资金收入合计JF100", "LabelJF", 0, 7, K::Number},
    {"JF1701", "TextJF1701", P::Table2, "中央拨款(千元)JF170", "LabelJF", 1, 7, K::Number},
    {"JF1702", "TextJF1702", P::Table2, "中央拨款(千元)JF170", "LabelJF", 1, 7, K::Number},
    {"JF1101", "TextJF1101", P::Table2, "省科技拨款(千元)JF110", "LabelJF", 2, 7, K::Number},
    {"JF1102", "TextJF1102", P::Table2, "省科技拨款(千元)JF110", "LabelJF", 2, 7, K::Number},
    {"JF1201", "TextJF1201", P::Table2, "行业主管拨款(千元)JF120", "LabelJF", 3, 7, K::Number},
    {"JF1202", "TextJF1202", P::Table2, "行业主管拨款(千元)JF120", "LabelJF", 3, 7, K::Number},
    {"JF1301", "TextJf1301", P::Table2, "地方拨款(千元)JF130", "LabelJF", 4, 7, K::Number},
    {"JF1302", "TextJF1302", P::Table2, "地方拨款(千元)JF130", "LabelJF", 4, 7, K::Number},
    {"JF1401", "TextJF1401", P::Table2, "自筹资金(千元)JF140", "LabelJF", 5, 7, K::Number},
    {"JF1402", "TextJF1402", P::Table2, "自筹资金(千元)JF140", "LabelJF", 5, 7, K::Number},
    {"JF1501", "TextJF1501", P::Table2, "贷款(千元)JF150", "LabelJF", 6, 7, K::Number},
    {"JF1502", "TextJF1502", P::Table2, "贷款(千元)JF150", "LabelJF", 6, 7, K::Number},
    {"JF1601", "TextJF1601", P::Table2, "其他资金(千元)JF160", "LabelJF", 7, 7, K::Number},
    {"JF1602", "TextJF1602", P::Table2, "其他资金(千元)JF160", "LabelJF", 7, 7, K::Number},
    {"JF2001", "TextJF2001", P::Table2, "二、项目资金支出合计JF200", "LabelJF", 8, 7, K::Number},
    {"JF2002", "TextJF2002", P::Table2, "二、项目资金支出合计JF200", "LabelJF", 8, 7, K::Number},
    {"JF3001", "TextJF3001", P::Table2, "省科技拨款使用数(千元)JF300", "LabelJF", 9, 7, K::Number},
    {"JF3002", "TextJF3002", P::Table2, "省科技拨款使用数(千元)JF300", "LabelJF", 9, 7, K::Number},
    {"JF3111", "TextJF3111", P::Table2, "设备购置费(千元)JF311", "LabelJF", 10, 7, K::Number},
    {"JF3112", "TextJF3112", P::Table2, "设备购置费(千元)JF311", "LabelJF", 10, 7, K::Number},
    {"JF3121", "TextJF3121", P::Table2, "能源材料费(千元)JF312", "LabelJF", 11, 7, K::Number},
    {"JF3122", "TextJF3122", P::Table2, "能源材料费(千元)JF312", "LabelJF", 11, 7, K::Number},
    {"JF3131", "TextJF3131", P::Table2, "试验外协费(千元)JF313", "LabelJF", 12, 7, K::Number},
    {"JF3132", "TextJF3132", P::Table2, "试验外协费(千元)JF313", "LabelJF", 12, 7, K::Number},
    {"JF3141", "TextJF3141", P::Table2, "其它费用(千元)JF314", "LabelJF", 13, 7, K::Number},
    {"JF3142", "TextJF3142", P::Table2, "其它费用(千元)JF314", "LabelJF", 13, 7, K::Number},
    {"JF4001", "TextJF4001", P::Table2, "三、项目资金结余JF400", "LabelJF", 14, 7, K::Number},
    {"JF4002", "TextJF4002", P::Table2, "三、项目资金结余JF400", "LabelJF", 14, 7, K::Number},
    {"JF4101", "TextJF4101", P::Table2, "项目奖励(千元)JF410", "LabelJF", 15, 7, K::Number},
    {"JF4102", "TextJF4102", P::Table2, "项目奖励(千元)JF410", "LabelJF", 15, 7, K::Number},
    // Table 3
    {"JL100", "TextJL100", P::Table3, "一、当年参加项目研究工作人员总数(人)JL100", "LabelJL", 0, 3,
     K::Number},
    {"JL110", "TextJL110", P::Table3, "从事科技活动人员(人)JL110", "LabelJL", 1, 3, K::Number},
    {"JL111", "TextJL111", P::Table3, "从事研究与发展人员(人)JL111", "LabelJL", 2, 3, K::Number},
    {"JL430", "TextJL430", P::Table3, "从事生产、经营人员(人)JL430", "LabelJL", 3, 3, K::Number},
    {"JL440", "TextJL440", P::Table3, "其他人员(人)JL440", "LabelJL", 4, 3, K::Number},
    {"JL120", "TextJL120", P::Table3, "其中：高级职称人员数(人)JL120", "LabelJL", 5, 3, K::Number},
    {"JL121", "TextJL121", P::Table3, "高级职称人员中女性数(人)JL121", "LabelJL", 6, 3, K::Number},
    {"JL130", "TextJL130", P::Table3, "中级职称人员数(人)JL130", "LabelJL", 7, 3, K::Number},
    {"JL131", "TextJL131", P::Table3, "中级职称人员中女性数(人)JL131", "LabelJL", 8, 3, K::Number},
    {"JL140", "TextJL140", P::Table3, "其中：博士数(人)JL140", "LabelJL", 9, 3, K::Number},
    {"JL150", "TextJL150", P::Table3, "硕士数(人)JL150", "LabelJL", 10, 3, K::Number},
    {"JL160", "TextJL160", P::Table3, "其中：35岁以下人数(人)JL160", "LabelJL", 11, 3, K::Number},
    {"JL190", "TextJL190", P::Table3, "其中：留学归国人员(人)JL190", "LabelJL", 12, 3, K::Number},
    {"JL200", "TextJL200", P::Table3, "外省人员数(人)JL200", "LabelJL", 13, 3, K::Number},
    {"JL300", "TextJL300", P::Table3, "二、当年投入项目研究工作量(人月)JL300", "LabelJL", 14, 4,
     K::Number},
    {"JL400", "TextJL400", P::Table3, "三、当年项目培养人才数(人)JL400", "LabelJL", 15, 3,
     K::Number},
    {"JL410", "TextJL410", P::Table3, "取得博士学位人数(人)JL410", "LabelJL", 16, 3, K::Number},
    {"JL420", "TextJL420", P::Table3, "取得硕士学位人数(人)JL420", "LabelJL", 17, 3, K::Number},
    // Table 4
    {"JG131", "TextJG131", P::Table4, "新增产值(千元)JG131", "LabelJG", 0, 7, K::Number},
    {"JG102", "TextJG102", P::Table4, "其中：出口创汇(千美元)JG102", "LabelJG", 1, 7, K::Number},
    {"JG302", "TextJG302", P::Table4, "净利润总额(千元)JG302", "LabelJG", 2, 7, K::Number},
    {"JG402", "TextJG402", P::Table4, "实交税金总额(千元)JG402", "LabelJG", 3, 7, K::Number},
    {"JG160", "TextJG160", P::Table4, "农业项目增产总量(千斤)JG160", "LabelJG", 4, 7, K::Number},
    {"JG170", "TextJG170", P::Table4, "农业项目增产品种(个)JG170", "LabelJG", 5, 6, K::Number},
    {"JGCSCD", "TextJGCSCD", P::Table4,
     "成果成熟程度JGCSCD  1样机  2中试  3工业化示范   4工业化生产", "LabelJG", 6, 14, K::Code},
    {"JG512", "TextJG512", P::Table4, "成果转让数(项)JG512", "LabelJG", 7, 3, K::Number},
    {"JG522", "TextJG522", P::Table4, "成果转让获得收入(千元)JG522", "LabelJG", 8, 7, K::Number},
    {"JG532", "TextJG532", P::Table4, "获省部级以上奖励(项)JG532", "LabelJG", 9, 3, K::Number},
    {"JG542", "TextJG542", P::Table4, "新产品、新材料、新工艺、新装置、新软件(项)JG542", "LabelJG",
     10, 3, K::Number},
    {"JG702", "TextJG702", P::Table4, "发表科技论文(篇)JG702", "LabelJG", 11, 3, K::Number},
    {"JG710", "TextJG710", P::Table4, "其中：国内发表(篇)JG710", "LabelJG", 12, 3, K::Number},
    {"JG711", "TextJG711", P::Table4, "国内核心期刊(篇)JG711", "LabelJG", 13, 3, K::Number},
    {"JG720", "TextJG720", P::Table4, "其中：国外发表(篇)JG720", "LabelJG", 14, 3, K::Number},
    {"JG802", "TextJG802", P::Table4, "出版科技著作(万字)JG802", "LabelJG", 15, 3, K::Number},
    {"JG901", "TextJG901", P::Table4, "专利申请数(项)JG901", "LabelJG", 16, 3, K::Number},
    {"JG911", "TextJG911", P::Table4, "其中：发明专利申请数(项)JG911", "LabelJG", 17, 3, K::Number},
    {"JG912", "TextJG912", P::Table4, "实用新型专利申请数(项)JG912", "LabelJG", 18, 3, K::Number},
    {"JG913", "TextJG913", P::Table4, "外观设计专利申请数(项)JG913", "LabelJG", 19, 3, K::Number},
    {"JG902", "TextJG902", P::Table4, "专利授权数(项)JG902", "LabelJG", 20, 3, K::Number},
    {"JG914", "TextJG914", P::Table4, "其中：发明专利授权数(项)JG914", "LabelJG", 21, 3, K::Number},
    {"JG915", "TextJG915", P::Table4, "实用新型专利授权数(项)JG915", "LabelJG", 22, 3, K::Number},
    {"JG916", "TextJG916", P::Table4, "外观设计专利授权数(项)JG916", "LabelJG", 23, 3, K::Number},
    {"JG920", "TextJG920", P::Table4, "其中：国外授权数(项)JG920", "LabelJG", 24, 3, K::Number},
    {"JDCG", "TextJDCG", P::Table4, "阶段成果简单描述  300字以内", "LabelJG", 25, 0, K::MultiLine},
};

// The columns that no page shows: two that table 3's balance text names, placed among
// table 3's columns in the numeric order of their codes, and two spare ones at the end.
constexpr const char *kTable3UnboundAfter = "JL160";
const QStringList kTable3Unbound = {QStringLiteral("JL170"), QStringLiteral("JL180")};
const QStringList kSpareColumns = {QStringLiteral("BZ01"), QStringLiteral("BZ02")};

QStringList buildColumns()
{
    QStringList columns;
    for (const FieldSpec &f : kFields) {
        columns << f.codeName();
        if (qstrcmp(f.code, kTable3UnboundAfter) == 0)
            columns << kTable3Unbound;
    }
    columns << kSpareColumns;
    return columns;
}

} // namespace

namespace {

// Code names to their positions. Record walks look names up millions of times, so they go
// through the standard library's string hash, which costs a fraction of Qt's seeded one here.
class NameIndex
{
public:
    explicit NameIndex(const QStringList &names) : m_names(names)
    {
        for (int i = 0; i < m_names.size(); ++i)
            m_positions.emplace(view(m_names[i]), i);
    }
    int positionOf(QStringView name) const
    {
        const auto it = m_positions.find(view(name));
        return it == m_positions.end() ? -1 : it->second;
    }

private:
    static std::u16string_view view(QStringView name)
    {
        return {name.utf16(), size_t(name.size())};
    }

    QStringList m_names;
    std::unordered_map<std::u16string_view, int> m_positions;
};

} // namespace

namespace FieldCatalogue {

const QVector<FieldSpec> &fields()
{
    return kFields;
}

const FieldSpec *field(QStringView code)
{
    static const NameIndex byCode = [] {
        QStringList names;
        for (const FieldSpec &f : kFields)
            names << f.codeName();
        return NameIndex(names);
    }();
    const int index = byCode.positionOf(code);
    return index < 0 ? nullptr : &kFields[index];
}

QVector<const FieldSpec *> fieldsOfPage(Page page)
{
    QVector<const FieldSpec *> out;
    for (const FieldSpec &f : kFields) {
        if (f.page == page)
            out << &f;
    }
    return out;
}

} // namespace FieldCatalogue

namespace RecordColumns {

const QStringList &names()
{
    static const QStringList columns = buildColumns();
    return columns;
}

int indexOf(QStringView code)
{
    static const NameIndex byName(names());
    return byName.positionOf(code);
}

} // namespace RecordColumns
