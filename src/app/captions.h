#pragma once

#include <QString>

// The captions of the main window and the titles of the program's message boxes.
namespace Captions {

inline QString windowTitle()
{
    return QStringLiteral("澜梧省科技计划项目执行情况年度调查(2011)");
}
// The title of most messages: checks, questions, project and record-store commands, data
// files, help and report failures.
inline QString messageTitle()
{
    return QStringLiteral("澜梧省科技计划项目执行情况年度调查");
}
// The title of a few completion messages and of the saved checking report.
inline QString shortTitle()
{
    return QStringLiteral("澜梧省科技统计");
}
// The title of the completion of long runs (checking all, reconciliation, summaries).
inline QString completionTitle()
{
    return QStringLiteral("科技项目统计");
}

} // namespace Captions
