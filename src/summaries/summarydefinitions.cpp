#include "summarydefinitions.h"

#include "recordsteps.h"

namespace {

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
