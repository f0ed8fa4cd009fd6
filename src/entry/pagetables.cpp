#include "pagetables.h"

#include <QHash>

namespace {

using P = Page;

// clang-format off
const QVector<CaptionLabel> kLabels = {
    // page, label array, element, caption as printed, {left, top, width, height}
    {P::Cover, "LabelFM", 0, "项目名称(JH01)", {720, 2400, 3375, 255}},
    {P::Cover, "LabelFM", 1, "项目编号(JH02)", {720, 2640, 3375, 255}},
    {P::Cover, "LabelFM", 2, "主管单位或推荐部门ZGDW", {720, 2880, 3375, 255}},
    {P::Cover, "LabelFM", 3, "项目承担单位XMCDDW", {720, 3120, 3375, 255}},
    {P::Cover, "LabelFM", 4, "单位负责人(JH03)", {720, 3360, 3375, 255}},
    {P::Cover, "LabelFM", 5, "填表人(JH04)", {720, 3600, 3375, 255}},
    {P::Cover, "LabelFM", 6, "电话(JH05)", {720, 3840, 3375, 255}},
    {P::Cover, "LabelFM", 7, "与项目联系的E-mail(JH06)", {720, 4080, 3375, 255}},
    {P::Cover, "LabelFM", 8, "填报时间TBSJ", {720, 4320, 3375, 255}},
    {P::Table1, "LabelJB", 5, "单位名称JH21", {360, 360, 1575, 255}},
    {P::Table1, "LabelJB", 6, "行政区划代码编码JH22", {6480, 360, 2055, 255}},
    {P::Table1, "LabelJB", 7, "单位地址JH23", {360, 600, 1575, 255}},
    {P::Table1, "LabelJB", 8, "邮政编码JH24", {6960, 600, 1575, 255}},
    {P::Table1, "LabelJB", 9, "单位性质JH25", {360, 840, 1575, 255}},
    {P::Table1, "LabelJB", 10, "主管单位JH26", {5400, 840, 1575, 255}},
    {P::Table1, "LabelJB", 0, "项目活动类型JH27", {360, 1080, 1575, 255}},
    {P::Table1, "LabelJB", 11, "姓名JH41", {840, 1440, 1455, 255}},
    {P::Table1, "LabelJB", 12, "性别JH42", {2280, 1440, 855, 255}},
    {P::Table1, "LabelJB", 13, "出生年JH43", {3120, 1440, 975, 255}},
    {P::Table1, "LabelJB", 14, "学历JH44", {4080, 1440, 855, 255}},
    {P::Table1, "LabelJB", 15, "学位JH45", {4920, 1440, 855, 255}},
    {P::Table1, "LabelJB", 16, "职称JH46", {5760, 1440, 855, 255}},
    {P::Table1, "LabelJB", 17, "类别JH47", {6600, 1440, 975, 255}},
    {P::Table1, "LabelJB", 18, "联系电话JH48", {7560, 1440, 2175, 255}},
    {P::Table1, "LabelJB", 19, "协作单位名称JH51、53", {840, 2520, 6135, 255}},
    {P::Table1, "LabelJB", 20, "协作单位性质JB52、54", {6960, 2520, 2775, 255}},
    {P::Table1, "LabelJB", 21, "计划类别JH61", {360, 3240, 3495, 255}},
    {P::Table1, "LabelJB", 22, "技术领域JH62", {360, 3480, 3495, 255}},
    {P::Table1, "LabelJB", 23, "起始时间(年：XXXX)JH63_1", {360, 3720, 3495, 255}},
    {P::Table1, "LabelJB", 24, "终止时间(年：XXXX)JB63_2", {5520, 3720, 2535, 255}},
    {P::Table1, "LabelJB", 25, "技术来源JH64", {360, 3960, 3495, 255}},
    {P::Table1, "LabelJB", 26, "预期主要的成果形式JH65", {360, 4200, 3495, 255}},
    {P::Table1, "LabelJB", 27, "项目进展情况JH71", {840, 4440, 3015, 255}},
    {P::Table1, "LabelJB", 28, "原因JH72_01", {840, 5160, 1335, 255}},
    {P::Table1, "LabelJB", 29, "原因JH72_02", {3840, 5160, 1215, 255}},
    {P::Table1, "LabelJB", 30, "原因JH72_03", {6720, 5160, 1335, 255}},
    {P::Table1, "LabelJB", 31, "项目是否鉴定JH81", {360, 5400, 3495, 255}},
    {P::Table1, "LabelJB", 32, "鉴定(验收)时间(年月XXXX-XX)JH82", {5040, 5400, 3015, 255}},
    {P::Table1, "LabelJB", 33, "鉴定过的项目技术水平JH83", {360, 5640, 3495, 255}},
    {P::Table2, "LabelJF", 0, "一、项目资金收入合计JF100", {600, 720, 2535, 255}},
    {P::Table2, "LabelJF", 1, "    中央拨款(千元)JF170", {600, 960, 2535, 255}},
    {P::Table2, "LabelJF", 2, "    省科技拨款(千元)JF110", {600, 1200, 2535, 255}},
    {P::Table2, "LabelJF", 3, "    行业主管拨款(千元)JF120", {600, 1440, 2535, 255}},
    {P::Table2, "LabelJF", 4, "    地方拨款(千元)JF130", {600, 1680, 2535, 255}},
    {P::Table2, "LabelJF", 5, "    自筹资金(千元)JF140", {600, 1920, 2535, 255}},
    {P::Table2, "LabelJF", 6, "    贷款(千元)JF150", {600, 2160, 2535, 255}},
    {P::Table2, "LabelJF", 7, "    其他资金(千元)JF160", {600, 2400, 2535, 255}},
    {P::Table2, "LabelJF", 8, "二、项目资金支出合计JF200", {5040, 720, 2535, 255}},
    {P::Table2, "LabelJF", 9, "省科技拨款使用数(千元)JF300", {5040, 960, 2535, 255}},
    {P::Table2, "LabelJF", 10, "    设备购置费(千元)JF311", {5040, 1200, 2535, 255}},
    {P::Table2, "LabelJF", 11, "    能源材料费(千元)JF312", {5040, 1440, 2535, 255}},
    {P::Table2, "LabelJF", 12, "    试验外协费(千元)JF313", {5040, 1680, 2535, 255}},
    {P::Table2, "LabelJF", 13, "    其它费用(千元)JF314", {5040, 1920, 2535, 255}},
    {P::Table2, "LabelJF", 14, "三、项目资金结余JF400", {5040, 2160, 2535, 255}},
    {P::Table2, "LabelJF", 15, "项目奖励(千元)JF410", {5040, 2400, 2535, 255}},
    {P::Table3, "LabelJL", 0, "一、当年参加项目研究工作人员总数(人)JL100", {480, 360, 5535, 255}},
    {P::Table3, "LabelJL", 1, "    从事科技活动人员(人)JL110", {480, 600, 5535, 255}},
    {P::Table3, "LabelJL", 2, "        从事研究与发展人员(人)JL111", {480, 840, 5535, 255}},
    {P::Table3, "LabelJL", 3, "    从事生产、经营人员(人)JL430", {480, 1080, 5535, 255}},
    {P::Table3, "LabelJL", 4, "    其他人员(人)JL440", {480, 1320, 5535, 255}},
    {P::Table3, "LabelJL", 5, "    其中：高级职称人员数(人)JL120", {480, 1560, 5535, 255}},
    {P::Table3, "LabelJL", 6, "              高级职称人员中女性数(人)JL121", {480, 1800, 5535, 255}},
    {P::Table3, "LabelJL", 7, "          中级职称人员数(人)JL130", {480, 2040, 5535, 255}},
    {P::Table3, "LabelJL", 8, "              中级职称人员中女性数(人)JL131", {480, 2280, 5535, 255}},
    {P::Table3, "LabelJL", 9, "    其中：博士数(人)JL140", {480, 2520, 5535, 255}},
    {P::Table3, "LabelJL", 10, "          硕士数(人)JL150", {480, 2760, 5535, 255}},
    {P::Table3, "LabelJL", 11, "    其中：35岁以下人数(人)JL160", {480, 3000, 5535, 255}},
    {P::Table3, "LabelJL", 12, "    其中：留学归国人员(人)JL190", {480, 3240, 5535, 255}},
    {P::Table3, "LabelJL", 13, "          外省人员数(人)JL200", {480, 3480, 5535, 255}},
    {P::Table3, "LabelJL", 14, "二、当年投入项目研究工作量(人月)JL300", {480, 3720, 5535, 255}},
    {P::Table3, "LabelJL", 15, "三、当年项目培养人才数(人)JL400", {480, 3960, 5535, 255}},
    {P::Table3, "LabelJL", 16, "    取得博士学位人数(人)JL410", {480, 4200, 5535, 255}},
    {P::Table3, "LabelJL", 17, "    取得硕士学位人数(人)JL420", {480, 4440, 5535, 255}},
    {P::Table4, "LabelJG", 0, "新增产值(千元)JG131", {480, 360, 5535, 255}},
    {P::Table4, "LabelJG", 1, "    其中：出口创汇(千美元)JG102", {480, 600, 5535, 255}},
    {P::Table4, "LabelJG", 2, "净利润总额(千元)JG302", {480, 840, 5535, 255}},
    {P::Table4, "LabelJG", 3, "实交税金总额(千元)JG402", {480, 1080, 5535, 255}},
    {P::Table4, "LabelJG", 4, "农业项目增产总量(千斤)JG160", {480, 1320, 5535, 255}},
    {P::Table4, "LabelJG", 5, "农业项目增产品种(个)JG170", {480, 1560, 5535, 255}},
    {P::Table4, "LabelJG", 6, "成果成熟程度JGCSCD  1样机  2中试  3工业化示范   4工业化生产", {480, 1800, 5535, 255}},
    {P::Table4, "LabelJG", 7, "成果转让数(项)JG512", {480, 2040, 5535, 255}},
    {P::Table4, "LabelJG", 8, "成果转让获得收入(千元)JG522", {480, 2280, 5535, 255}},
    {P::Table4, "LabelJG", 9, "获省部级以上奖励(项)JG532", {480, 2520, 5535, 255}},
    {P::Table4, "LabelJG", 10, "新产品、新材料、新工艺、新装置、新软件(项)JG542", {480, 2760, 5535, 255}},
    {P::Table4, "LabelJG", 11, "发表科技论文(篇)JG702", {480, 3000, 5535, 255}},
    {P::Table4, "LabelJG", 12, "    其中：国内发表(篇)JG710", {480, 3240, 5535, 255}},
    {P::Table4, "LabelJG", 13, "              国内核心期刊(篇)JG711", {480, 3480, 5535, 255}},
    {P::Table4, "LabelJG", 14, "    其中：国外发表(篇)JG720", {480, 3720, 5535, 255}},
    {P::Table4, "LabelJG", 15, "出版科技著作(万字)JG802", {480, 3960, 5535, 255}},
    {P::Table4, "LabelJG", 16, "专利申请数(项)JG901", {480, 4200, 5535, 255}},
    {P::Table4, "LabelJG", 17, "    其中：发明专利申请数(项)JG911", {480, 4440, 5535, 255}},
    {P::Table4, "LabelJG", 18, "          实用新型专利申请数(项)JG912", {480, 4680, 5535, 255}},
    {P::Table4, "LabelJG", 19, "          外观设计专利申请数(项)JG913", {480, 4920, 5535, 255}},
    {P::Table4, "LabelJG", 20, "专利授权数(项)JG902", {480, 5160, 5535, 255}},
    {P::Table4, "LabelJG", 21, "    其中：发明专利授权数(项)JG914", {480, 5400, 5535, 255}},
    {P::Table4, "LabelJG", 22, "          实用新型专利授权数(项)JG915", {480, 5640, 5535, 255}},
    {P::Table4, "LabelJG", 23, "          外观设计专利授权数(项)JG916", {480, 5880, 5535, 255}},
    {P::Table4, "LabelJG", 24, "    其中：国外授权数(项)JG920", {480, 6120, 5535, 255}},
    {P::Table4, "LabelJG", 25, "阶段成果简单描述  300字以内", {480, 6360, 1095, 615}},
};

const QVector<StaticText> kStatic = {
    {P::Cover, "TextCover", "澜梧省科技计划项目\r\n执行情况报表", {2400, 840, 5655, 975}, StaticKind::Title},
    {P::Table1, "LabelXMCJRY", "    项目参加人员", {360, 1440, 495, 975}, StaticKind::Heading},
    {P::Table1, "Label1", "    协作单位", {360, 2520, 495, 735}, StaticKind::Heading},
    {P::Table1, "Label2", "    项目进展情况", {360, 4440, 495, 975}, StaticKind::Heading},
    {P::Table1, "LabelXMJZYCYY", "项目进展情况为3、4、5的请选填主要原因(最多三项)", {840, 4800, 8895, 375}, StaticKind::Heading},
    {P::Table2, "LabelTable2_1", "项   目   款   项", {600, 480, 2535, 255}, StaticKind::Heading},
    {P::Table2, "LabelTable2_2", "累计数", {3120, 480, 975, 255}, StaticKind::Heading},
    {P::Table2, "LabelTable2_3", "当年数", {4080, 480, 975, 255}, StaticKind::Heading},
    {P::Table2, "Label3", "项   目   款   项", {5040, 480, 2535, 255}, StaticKind::Heading},
    {P::Table2, "Label5", "累计数", {7560, 480, 975, 255}, StaticKind::Heading},
    {P::Table2, "Label4", "当年数", {8520, 480, 975, 255}, StaticKind::Heading},
    {P::Table2, "TextCheckTable2",
     "\r\n平衡条件：JF100 = JF170+JF110+JF120+JF130+JF140+JF150+JF160\r\n"
     "          JF400 = JF100-JF200\r\n"
     "          JF300 = JF311+JF312+JF313+JF314\r\n",
     {600, 2640, 8895, 1455}, StaticKind::Balance},
    {P::Table3, "TextCheckTable3",
     "\r\n平衡条件：JL100 = JL110+JL430+JL440\r\n"
     "          JL100 >= JL120+JL130 \r\n"
     "          JL100 >= JL140+JL150\r\n"
     "          JL100 >= JL160+JL170+JL180 \r\n"
     "          JL400 >= JL410+JL420\r\n",
     {480, 4680, 9135, 1815}, StaticKind::Balance},
};
// clang-format on

QString labelObjectName(const char *array, int index)
{
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(array)).arg(index);
}

} // namespace

QString EntryField::labelName() const
{
    return labelArray ? labelObjectName(labelArray, labelIndex) : QString();
}

QString CaptionLabel::name() const
{
    return labelObjectName(array, index);
}

namespace EntryTables {

QVector<const EntryField *> fieldsOfPage(Page page)
{
    QVector<const EntryField *> out;
    for (const EntryField &f : fields()) {
        if (f.page == page)
            out << &f;
    }
    return out;
}

const EntryField *field(QStringView code)
{
    static const QHash<QString, int> byCode = [] {
        QHash<QString, int> map;
        for (int i = 0; i < fields().size(); ++i)
            map.insert(fields()[i].codeName(), i);
        return map;
    }();
    const auto it = byCode.constFind(code.toString());
    return it == byCode.constEnd() ? nullptr : &fields()[*it];
}

const QVector<CaptionLabel> &labels()
{
    return kLabels;
}

const CaptionLabel *label(QStringView array, int index)
{
    for (const CaptionLabel &l : kLabels) {
        if (index == l.index && array == QLatin1String(l.array))
            return &l;
    }
    return nullptr;
}

const QVector<StaticText> &staticTexts()
{
    return kStatic;
}

} // namespace EntryTables
