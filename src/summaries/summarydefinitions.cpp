#include "summarydefinitions.h"

#include "recordsteps.h"
#include "summaryreadings.h"

namespace {

using RecordSteps::NoColumn;

// Project progress `JB71`: the half-even key, 0 (as from an empty field) counting as 1, in
// column key + 1; "5.申请撤销" lands in column 6, a key of 10 or more beyond the written ones.
int progressColumn(QStringView text)
{
    double key = SummaryReadings::halfEvenKey(text);
    if (key == 0)
        key = 1;
    return key >= 1 && key <= 20 ? int(key) + 1 : NoColumn;
}

// First delay reason `JB72_01`: its code picks one of the reason columns; a text of fewer than
// 2 characters (empty, "0", "5") is no reason.
int delayReasonColumn(QStringView text)
{
    struct Reason
    {
        double code;
        int column;
    };
    static const Reason reasons[] = {{0, 2},  {10, 3}, {20, 4},  {30, 5},  {41, 6}, {42, 7},
                                     {50, 8}, {60, 9}, {70, 10}, {80, 11}, {90, 12}};
    if (text.size() < 2)
        return NoColumn;
    const double code = SummaryReadings::halfEvenKey(text);
    for (const Reason &r : reasons) {
        if (r.code == code)
            return r.column;
    }
    return NoColumn;
}

QVector<SummaryDefinition> definitions()
{
    using namespace RecordSteps;
    auto fields = [](std::initializer_list<const char *> names) {
        QStringList out;
        for (const char *name : names)
            out << QString::fromLatin1(name);
        return out;
    };
    return {
        {"SumPapers", "发表论文专著情况", 22, 10,
         wholeParts(2, fields({"JG802", "JG702", "JG720", "JG710", "JG711"}))},
        {"SumPatents", "专利情况", 22, 10,
         wholeParts(2, fields({"JG901", "JG911", "JG912", "JG913", "JG902", "JG914", "JG915",
                               "JG916", "JG920"}))},
        {"SumTalentTraining", "人才培养情况", 22, 3, wholeParts(2, fields({"JL410", "JL420"}))},
        {"SumFundSources", "资金来源情况", 22, 10,
         wholeParts(2, fields({"JF1002", "JF1702", "JF1102", "JF1202", "JF1302", "JF1402", "JF1502",
                               "JF1602"}))},
        {"SumFundSpending", "资金支出情况", 22, 10,
         wholeParts(2, fields({"JF2002", "JF3002", "JF3112", "JF3122", "JF3132", "JF3142"}))},
        {"SumProjectProgress", "项目进展情况", 22, 10, keyedCount("JB71", progressColumn)},
        {"SumDelayReasons", "项目未完成原因", 22, 12, keyedCount("JB72_01", delayReasonColumn)},
        {"SumProjectLeaders", "项目负责人情况", 22, 20, personCounts({1})},
        {"SumProjectParticipants", "项目参加人情况", 22, 20, personCounts({2, 3})},
        {"SumProvincialFundsByPlan", "省级资金各类计划分布汇总", 31, 27, planPairs(4, "JF1102")},
        {"SumTotalFundsByPlan", "资金合计各类计划分布汇总", 31, 27, planPairs(4, "JF1002")},
        {"SumTable3Participants", "项目参加人情况_表三", 22, 20,
         wholeParts(2, fields({"JL100", "JL110", "JL111", "JL430", "JL440", "JL120", "JL121",
                               "JL130", "JL131", "JL140", "JL150", "JL160", "JL190", "JL200",
                               "JL300", "JL400", "JL410", "JL420"}))},
    };
}

} // namespace

namespace SummaryDefinitions {

const QVector<SummaryDefinition> &all()
{
    static const QVector<SummaryDefinition> summaries = definitions();
    return summaries;
}

const SummaryDefinition *find(const QString &procedure)
{
    for (const SummaryDefinition &d : all()) {
        if (d.procedure == procedure)
            return &d;
    }
    return nullptr;
}

} // namespace SummaryDefinitions
