#pragma once

#include "captions.h"
#include "prompts.h"

// The warning shown when a spreadsheet step is refused with "permission denied" (error 70): a
// file locked or unreadable, as when another spreadsheet program holds it.
inline void ExcelResidentWarning(Prompts &prompts)
{
    prompts.message(
        QStringLiteral(
            "有Excel程序驻留内存，可能无法正确加载数据文件。请按Ctrl+Alt+Del键，在任务管理器中将其"
            "关闭，然后重新执行程序或重新启动计算机。否则，可能会引起计算错误。"),
        Captions::completionTitle(), MessageIcon::Exclamation);
}
