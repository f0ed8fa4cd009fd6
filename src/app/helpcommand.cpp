#include "helpcommand.h"

#include "captions.h"
#include "controltable.h"
#include "failure.h"
#include "officesuite.h"
#include "waitcursor.h"
#include "wordapp.h"

#include <QDir>

namespace {

const ControlEntry<HelpCommand> kControls[] = {
    {"MenuHelpView", &HelpCommand::MenuHelpView_Click},
};

} // namespace

HelpCommand::HelpCommand(std::function<OfficeSuite &()> office, Prompts &prompts,
                         const QString &programFolder, QObject *parent)
    : QObject(parent), m_office(std::move(office)), m_prompts(prompts), m_folder(programFolder)
{
}

QString HelpCommand::helpFileName()
{
    return QStringLiteral("澜梧省科技计划项目执行情况年度调查系统帮助文件.doc");
}

QString HelpCommand::failureText()
{
    return QStringLiteral("帮助文件打开失败！请重新启动系统后重试。");
}

void HelpCommand::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
}

void HelpCommand::MenuHelpView_Click()
{
    const QString path = QDir(m_folder).filePath(helpFileName());
    OfficeStatus status;
    {
        WaitCursor wait;
        WordApp &word = m_office().wordApp();
        status = word.addDocument(path);
        if (status.ok())
            status = word.setVisible(true);
    }
    if (!status.ok())
        tellFailure(m_prompts, failureText(), Captions::messageTitle(), status.text());
}
