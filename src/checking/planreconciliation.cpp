#include "planreconciliation.h"

#include "surveyrecord.h"
#include "vbtext.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace PlanReconciliation {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString heading(int planned, int reported)
{
    return QStringLiteral("项目上报情况核对结果") + kLineEnd + QStringLiteral("项目总数：") +
           VbText::numberText(planned) + QStringLiteral("，上报项目数：") +
           VbText::numberText(reported) + kLineEnd + QStringLiteral("以下是漏报或错报项目") +
           kLineEnd + QString(43, u'=') + kLineEnd;
}

QString missingLine(int n, const PlanRow &row)
{
    return VbText::numberText(n) + QStringLiteral(" 漏报 ") + row.key + u' ' + row.texts[0] + u' ' +
           row.texts[1] + u' ' + row.texts[2] + kLineEnd;
}

QString unplannedLine(int n, const ReportedProject &project)
{
    return VbText::numberText(n) + QStringLiteral(" 错报") + u' ' + project.number + u' ' +
           project.name + u' ' + project.unit + u' ' + project.competentUnit + kLineEnd;
}

QString amountLine(int n, double key, const ReportedProject &project)
{
    return VbText::numberText(n) + QStringLiteral(" 金额错误") + VbText::numberText(key) + u' ' +
           project.name + u' ' + project.unit + kLineEnd;
}

} // namespace

ReportedProject ReportedProject::from(const SurveyRecord &record)
{
    return {record.shown(u"JB02"), record.shown(u"JB01"), record.shown(u"XMCDDW"),
            record.shown(u"ZGDW"), record.number(u"JF1102")};
}

double plannedAmount(double value)
{
    if (std::isnan(value))
        return 0;
    const float single = float(std::clamp(value, double(-FLT_MAX), double(FLT_MAX)));
    return VbText::numericValue(VbText::numberTextSingle(single));
}

QString report(const QVector<PlanRow> &plan, const QVector<ReportedProject> &records)
{
    QString out = heading(int(plan.size()), int(records.size()));
    int n = 1;
    qsizetype p = 0;
    qsizetype r = 0;
    while (p < plan.size() || r < records.size()) {
        if (r == records.size()) {
            out += missingLine(n++, plan[p++]);
            continue;
        }
        if (p == plan.size()) {
            out += unplannedLine(n++, records[r++]);
            continue;
        }
        const double db = VbText::numericValue(records[r].number);
        const double key = VbText::numericValue(plan[p].key);
        if (db > key) {
            out += missingLine(n++, plan[p++]);
        } else if (db < key) {
            out += unplannedLine(n++, records[r++]);
        } else {
            if (std::fabs(plan[p].amount - records[r].appropriation / 10) > 0.01)
                out += amountLine(n++, key, records[r]);
            ++p;
            ++r;
        }
    }
    return out;
}

} // namespace PlanReconciliation
