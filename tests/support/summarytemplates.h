#pragma once

#include <QStringList>

// The names of the twelve summary templates, in the order "汇  总" runs the summaries.
inline QStringList summaryTemplateNames()
{
    return QStringLiteral("发表论文专著情况 专利情况 人才培养情况 资金来源情况 资金支出情况 "
                          "项目进展情况 项目未完成原因 项目负责人情况 项目参加人情况 "
                          "省级资金各类计划分布汇总 资金合计各类计划分布汇总 项目参加人情况_表三")
        .split(u' ');
}
