#include "helpcommand.h"

#include "formmain.h"
#include "officesuite.h"
#include "prompts.h"
#include "wordapp.h"

#include <QAction>
#include <QDir>

HelpCommand::HelpCommand(FormMain &form) : m_form(form) {}

QString HelpCommand::helpFileName()
{
    return QStringLiteral("澜梧省科技计划项目执行情况年度调查系统帮助文件.doc");
}

QString HelpCommand::failureText()
{
    return QStringLiteral("帮助文件打开失败！请重新启动系统后重试。");
}

void HelpCommand::connectControls()
{
    if (auto *menu = m_form.findChild<QAction *>(QStringLiteral("MenuHelpView")))
        QObject::connect(menu, &QAction::triggered, [this] { MenuHelpView_Click(); });
}

void HelpCommand::MenuHelpView_Click()
{
    const QString path = QDir(m_form.programFolder()).filePath(helpFileName());
    WordApp &word = m_form.office().wordApp();
    OfficeStatus status = word.addDocument(path);
    if (status.ok())
        status = word.setVisible(true);
    if (!status.ok())
        m_form.prompts().message(failureText(), FormMain::messageTitle(), MessageIcon::Information);
}
