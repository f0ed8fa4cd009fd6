#include "projectcommands.h"

#include "fieldbinder.h"
#include "fieldbox.h"
#include "formmain.h"
#include "pagering.h"
#include "panel.h"
#include "prompts.h"
#include "recordstore.h"
#include "vbtext.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kRetry = QStringLiteral("失败！请检查数据或重新启动系统后重试。");

// Runs the query box's Enter key (the key itself goes on to the box).
class EnterFilter : public QObject
{
public:
    EnterFilter(QObject *parent, ProjectCommands &commands) : QObject(parent), m_commands(commands)
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                m_commands.LocateProject();
        }
        return false;
    }

private:
    ProjectCommands &m_commands;
};

} // namespace

ProjectCommands::ProjectCommands(FormMain &form) : m_form(form) {}

void ProjectCommands::connectControls()
{
    m_form.onClick("CommandEditData", [this] { CommandEditData_Click(); });
    m_form.onClick("CommandEdit", [this] { CommandEdit_Click(); });
    m_form.onClick("CommandAddItem", [this] { CommandAddItem_Click(); });
    m_form.onClick("CommandDeleteItem", [this] { CommandDeleteItem_Click(); });
    m_form.onClick("CommandDataInit", [this] { CommandDataInit_Click(); });
    m_form.onClick("CommandExitDataEdit", [this] { CommandExitDataEdit_Click(); });
    if (auto *menu = m_form.findChild<QAction *>(QStringLiteral("MenuDataEdit")))
        QObject::connect(menu, &QAction::triggered, [this] { MenuDataEdit_Click(); });
    QObject::connect(m_form.findChild<QToolButton *>(QStringLiteral("CommandQuery")),
                     &QToolButton::clicked, [this] { LocateProject(); });
    m_form.queryBox()->installEventFilter(new EnterFilter(m_form.queryBox(), *this));
}

QString ProjectCommands::itemNumber() const
{
    return m_form.binder().text(QStringLiteral("TextItemNo"));
}

void ProjectCommands::failure(const QString &text)
{
    m_form.prompts().message(text, FormMain::messageTitle(), MessageIcon::Information);
}

void ProjectCommands::CommandEditData_Click()
{
    Panel *list = m_form.panel(QStringLiteral("FrameDataList"));
    list->setOpen(true);
    list->setShown(true);
}

void ProjectCommands::MenuDataEdit_Click()
{
    m_form.panel(QStringLiteral("FrameDataList"))->setOpen(true);
}

void ProjectCommands::CommandEdit_Click()
{
    m_form.pageRing().openPage(Page::Cover);
    m_form.panel(QStringLiteral("FrameDataList"))->setShown(false);
}

void ProjectCommands::CommandAddItem_Click()
{
    const QString number =
        m_form.prompts().input(QStringLiteral("请输入新增项目编号"), FormMain::messageTitle());
    if (number.isEmpty())
        return;
    if (number.size() != 12) {
        failure(QStringLiteral("项目编号格式错误。"));
        return;
    }
    if (!addProject(number))
        failure(QStringLiteral("添加项目") + kRetry);
}

bool ProjectCommands::addProject(const QString &number)
{
    RecordStore &store = m_form.store();
    const double wanted = VbText::numericValue(number);
    bool exists = false;
    if (store.recordCount() >= 1) {
        RecordStore::Walk walk(store);
        if (!store.moveFirst())
            return false;
        const int count = store.recordCount();
        for (int i = 0; i < count && !exists; ++i) {
            exists = VbText::numericValue(store.current().shown(u"JB02")) == wanted;
            if (!exists && !store.moveNext())
                return false;
        }
    } // the boxes show the row the walk stopped on
    if (exists) {
        failure(QStringLiteral("项目编号已存在，请核对。"));
        return true;
    }
    if (!store.addNew())
        return false;
    QWidget *numberBox = m_form.binder().box(QStringLiteral("TextJB02"));
    m_form.pageRing().openPage(Page::Cover);
    m_form.panel(QStringLiteral("FrameDataList"))->setShown(false);
    m_form.activateWindow(); // back from the input box
    numberBox->setFocus(Qt::OtherFocusReason);
    m_form.binder().setText(QStringLiteral("TextJB02"), number);
    return store.current().value(1) == number;
}

void ProjectCommands::CommandDeleteItem_Click()
{
    const QString number = itemNumber();
    if (!m_form.prompts().askOkCancel(QStringLiteral("确实要删除项目编号为") + number +
                                          QStringLiteral("的项目吗？"),
                                      FormMain::messageTitle()))
        return;
    if (!m_form.store().deleteCurrent())
        failure(QStringLiteral("删除项目") + itemNumber() + kRetry);
}

void ProjectCommands::CommandDataInit_Click()
{
    if (!m_form.prompts().askOkCancel(QStringLiteral("数据初始化将会删除全部数据，确认要删除吗？"),
                                      FormMain::messageTitle()))
        return;
    RecordStore &store = m_form.store();
    const int count = store.recordCount();
    if (count == 0) {
        failure(QStringLiteral("删除项目") + itemNumber() + kRetry);
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (!store.moveFirst() || !store.deleteCurrent()) {
            failure(QStringLiteral("删除项目") + itemNumber() + kRetry);
            return;
        }
    }
}

void ProjectCommands::CommandExitDataEdit_Click()
{
    m_form.panel(QStringLiteral("FrameDataList"))->setOpen(false);
    RecordStore &store = m_form.store();
    if (!store.moveFirst() || (store.recordCount() >= 1 && !store.update()))
        failure(QStringLiteral("更新数据") + kRetry);
}

void ProjectCommands::LocateProject()
{
    RecordStore &store = m_form.store();
    const double wanted = VbText::numericValue(m_form.queryBox()->text());
    {
        RecordStore::Walk walk(store);
        if (!store.moveFirst()) {
            failure(QStringLiteral("数据定位") + kRetry);
            return;
        }
        const int count = store.recordCount();
        for (int i = 0; i < count; ++i) {
            if (std::abs(wanted - VbText::numericValue(store.current().shown(u"JB02"))) < 0.1)
                return;
            if (!store.moveNext()) {
                failure(QStringLiteral("数据定位") + kRetry);
                return;
            }
        }
        if (!store.moveFirst()) {
            failure(QStringLiteral("数据定位") + kRetry);
            return;
        }
    }
    failure(QStringLiteral("未找到要定位的项目！请检查项目编号是否正确。"));
}
