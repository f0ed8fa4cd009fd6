#include "codetables.h"

namespace {

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *t : texts)
        out << QString::fromUtf8(t);
    return out;
}

// Region codes: the province prefix 73 with the seventeen cities, then one county-level city.
QStringList regionItems()
{
    const char *cities[] = {"澜州市", "梧川市", "青岚市", "枫桥市", "白渚市",  "云汀市",
                            "岚峰市", "梧溪市", "汀澜市", "碧洲市", "石梧市",  "澜源市",
                            "北岚市", "南梧市", "西澜市", "东梧市", "澜川地区"};
    QStringList out;
    for (int i = 0; i < 17; ++i)
        out << QStringLiteral("73%1").arg((i + 1) * 100, 4, 10, QLatin1Char('0')) +
                   QString::fromUtf8(cities[i]);
    out << QStringLiteral("730881") + QString::fromUtf8("溪口市");
    return out;
}

// Competent units: two-digit codes 01 to 80, then 99.
QStringList competentUnitItems()
{
    const QStringList bodies = list({
        "省发展和改革委员会",
        "省教育厅",
        "省科学技术厅",
        "省工业和信息化厅",
        "省民族宗教事务委员会",
        "省公安厅",
        "省民政厅",
        "省司法厅",
        "省财政厅",
        "省人力资源和社会保障厅",
        "省国土资源厅",
        "省环境保护厅",
        "省住房和城乡建设厅",
        "省交通运输厅",
        "省水利厅",
        "省农业厅",
        "省林业厅",
        "省商务厅",
        "省文化厅",
        "省卫生厅",
        "省人口和计划生育委员会",
        "省审计厅",
        "省国有资产监督管理委员会",
        "省地方税务局",
        "省质量技术监督局",
        "省广播电影电视局",
        "省新闻出版局",
        "省体育局",
        "省安全生产监督管理局",
        "省统计局",
        "省食品药品监督管理局",
        "省知识产权局",
        "省旅游局",
        "省粮食局",
        "省中医药管理局",
        "省气象局",
        "省地震局",
        "省通信管理局",
        "省烟草专卖局",
        "省电力公司",
        "省科学院",
        "省社会科学院",
        "省农业科学院",
        "省林业科学院",
        "省医学科学院",
        "省科学技术协会",
        "澜梧大学",
        "澜梧师范大学",
        "澜梧理工大学",
        "澜梧农业大学",
        "澜梧医科大学",
        "澜梧财经大学",
        "澜州职业技术学院",
        "澜州市科学技术局",
        "梧川市科学技术局",
        "青岚市科学技术局",
        "枫桥市科学技术局",
        "白渚市科学技术局",
        "云汀市科学技术局",
        "岚峰市科学技术局",
        "梧溪市科学技术局",
        "汀澜市科学技术局",
        "碧洲市科学技术局",
        "石梧市科学技术局",
        "澜源市科学技术局",
        "北岚市科学技术局",
        "南梧市科学技术局",
        "西澜市科学技术局",
        "东梧市科学技术局",
        "澜川地区科学技术局",
        "省畜牧兽医局",
        "省海洋与渔业厅",
        "省煤炭工业局",
        "省有色金属工业协会",
        "省建材工业协会",
        "省医药行业协会",
        "省供销合作社联合社",
        "省总工会",
        "省妇女联合会",
        "省残疾人联合会",
    });
    QStringList out;
    for (int i = 0; i < bodies.size(); ++i)
        out << QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')) + bodies[i];
    out << QStringLiteral("99") + QString::fromUtf8("其他");
    return out;
}

const QVector<CodePickerSpec> &table()
{
    using P = Page;
    static const QVector<CodePickerSpec> pickers = {
        {"ComboEducational_Background",
         P::Table1,
         {"JB441", "JB442", "JB443"},
         false,
         855,
         list({"1.研究生", "2.大学", "3.大专", "4.中专", "5.其他"})},
        {"ComboDegree",
         P::Table1,
         {"JB451", "JB452", "JB453"},
         false,
         855,
         list({"1.博士", "2.硕士", "3.学士", "9.其他"})},
        {"ComboSex", P::Table1, {"JB421", "JB422", "JB423"}, false, 855, list({"1.男", "2.女"})},
        {"ComboJB62",
         P::Table1,
         {"JB62"},
         false,
         0,
         list({"11.能源", "12.资源", "13.环境保护", "14.农业",
               "15.支柱产业（机械、汽车及零部件、冶金、化工、食品、纺织）", "16.新材料",
               "17.生物技术", "18.制造业", "19.信息产业与现代服务业", "20.交通运输技术领域",
               "21.人口与健康", "22.城镇化与城市发展", "23.公共安全与其他社会事业"})},
        {"ComboJB26", P::Table1, {"JB26"}, false, 0, competentUnitItems()},
        {"ComboJB64",
         P::Table1,
         {"JB64"},
         false,
         0,
         list({"1.国外技术", "2.引进技术本单位消化创新", "3.国内技术", "4.自有技术"})},
        {"ComboJB27",
         P::Table1,
         {"JB27"},
         false,
         0,
         list({"1.基础研究", "2.应用研究", "3.试验发展", "4.研究与试验发展成果应用", "5.科技服务",
               "6.生产性活动"})},
        {"ComboJB65",
         P::Table1,
         {"JB65"},
         false,
         0,
         list({"01.论文论著", "02.研究(咨询)报告", "03.新产品(或农业新品种)", "04.新装置",
               "05.新材料", "06.新工艺(或新方法、新模式)", "07.计算机软件", "08.人才培养",
               "09.技术标准", "10.基地建设", "11.专利", "12.商标", "99.其它"})},
        {"ComboJB22", P::Table1, {"JB22"}, true, 0, regionItems()},
        {"ComboTitle",
         P::Table1,
         {"JB461", "JB462", "JB463"},
         false,
         855,
         list({"1.高级", "2.中级", "3.初级", "9.其他"})},
        {"ComboJB71",
         P::Table1,
         {"JB71"},
         false,
         0,
         list({"1.按计划进度进行", "2.进度超前", "3.拖延", "4.停顿", "5.申请撤销"})},
        {"ComboType",
         P::Table1,
         {"JB471", "JB472", "JB473"},
         false,
         975,
         list({"1.留学归国人员", "2.省外人员", "3.其他"})},
        {"ComboJB72",
         P::Table1,
         {"JB72_01", "JB72_02", "JB72_03"},
         false,
         0,
         list({"00.技术变化", "10.计划性调整", "20.设备材料不落实", "30.协作关系变化",
               "41.拨款不到位", "42.贷款不落实 ", "50.市场变化", "60.技术骨干变动", "70.立题不当",
               "80.不可抗拒因素", "90.其它原因"})},
        {"ComboJB25_JB52_JB54",
         P::Table1,
         {"JB25", "JB52", "JB54"},
         false,
         0,
         list({"01.大专院校", "02.转制为企业的科研院所", "03.事业型研究单位", "04.其他事业单位",
               "05.政府机关", "06.私营企业", "07.股份合作企业", "08.集体所有制企业", "09.国有企业",
               "10.群众团体", "99.其他"})},
        {"ComboJB81", P::Table1, {"JB81"}, false, 0, list({"1.是", "2.否"})},
        {"ComboJB61",
         P::Table1,
         {"JB61"},
         false,
         0,
         list({"1100.重大科技专项", "2101.重大科技攻关", "2102.重点科技攻关",
               "2105.高新技术产业化项目", "2201-2203.科技成果转化", "2300.基础与前沿技术研究",
               "2400.软科学研究", "4100.杰出青年科学基金", "4200.杰出人才创新基金",
               "5100.科技富民强县专项"})},
        {"ComboJB83",
         P::Table1,
         {"JB83"},
         false,
         0,
         list(
             {"1.国际领先", "2.国际先进", "3.国内领先", "4.国内先进", "5.省内领先", "6.省内先进"})},
        {"ComboJGCSCD",
         P::Table4,
         {"JGCSCD"},
         false,
         0,
         list({"1.样机", "2.中试", "3.工业化示范", "4.工业化生产"})},
    };
    return pickers;
}

} // namespace

QString CodePickerSpec::pickedText(const QString &item) const
{
    return writesCodeOnly ? item.left(6) : item;
}

QString CodePickerSpec::targetField(int slot) const
{
    if (!isShared())
        return fields.first();
    return slot >= 1 && slot <= fields.size() ? fields[slot - 1] : QString();
}

namespace CodeTables {

const QVector<CodePickerSpec> &pickers()
{
    return table();
}

const CodePickerSpec *picker(QStringView name)
{
    for (const CodePickerSpec &p : table()) {
        if (name == QLatin1String(p.name))
            return &p;
    }
    return nullptr;
}

const CodePickerSpec *pickerOfField(QStringView field, int *slot)
{
    for (const CodePickerSpec &p : table()) {
        const int at = int(p.fields.indexOf(field.toString()));
        if (at >= 0) {
            if (slot)
                *slot = p.isShared() ? at + 1 : 0;
            return &p;
        }
    }
    return nullptr;
}

QStringList items(QStringView pickerName)
{
    const CodePickerSpec *p = picker(pickerName);
    return p ? p->items : QStringList();
}

} // namespace CodeTables
