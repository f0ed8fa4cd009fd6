#include "projectcommands.h"

#include "captions.h"
#include "controltable.h"
#include "failure.h"
#include "fieldbinder.h"
#include "fieldbox.h"
#include "pagering.h"
#include "panel.h"
#include "prompts.h"
#include "recordstore.h"
#include "vbtext.h"

#include <QKeyEvent>

namespace {

const QString kRetry = QStringLiteral("失败！请检查数据或重新启动系统后重试。");

const ControlEntry<ProjectCommands> kControls[] = {
    {"CommandEditData", &ProjectCommands::CommandEditData_Click},
    {"MenuDataEdit", &ProjectCommands::MenuDataEdit_Click},
    {"CommandEdit", &ProjectCommands::CommandEdit_Click},
    {"CommandAddItem", &ProjectCommands::CommandAddItem_Click},
    {"CommandDeleteItem", &ProjectCommands::CommandDeleteItem_Click},
    {"CommandDataInit", &ProjectCommands::CommandDataInit_Click},
    {"CommandExitDataEdit", &ProjectCommands::CommandExitDataEdit_Click},
    {"CommandQuery", &ProjectCommands::LocateProject},
};

} // namespace

ProjectCommands::ProjectCommands(RecordStore &store, FieldBinder &binder, Prompts &prompts,
                                 PageRing &pages, Panel &list, FieldBox &query, QObject *parent)
    : QObject(parent), m_store(store), m_binder(binder), m_prompts(prompts), m_pages(pages),
      m_list(list), m_query(query)
{
}

void ProjectCommands::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
    m_query.installEventFilter(this);
}

// The query box's Enter key locates the project (the key itself goes on to the box).
bool ProjectCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_query && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            LocateProject();
    }
    return false;
}

QString ProjectCommands::itemNumber() const
{
    return m_binder.text(QStringLiteral("TextItemNo"));
}

// A failure of the record store, with its reason.
void ProjectCommands::failure(const QString &text)
{
    tellFailure(m_prompts, text, Captions::messageTitle(), m_store.lastError());
}

// A number that the command does not take, or one that is not found.
void ProjectCommands::refusal(const QString &text)
{
    m_prompts.message(text, Captions::messageTitle(), MessageIcon::Information);
}

void ProjectCommands::CommandEditData_Click()
{
    m_list.setOpen(true);
    m_list.setShown(true);
}

void ProjectCommands::MenuDataEdit_Click()
{
    m_list.setOpen(true);
}

void ProjectCommands::CommandEdit_Click()
{
    m_pages.openPage(Page::Cover);
    m_list.setShown(false);
}

void ProjectCommands::CommandAddItem_Click()
{
    const QString number =
        m_prompts.input(QStringLiteral("请输入新增项目编号"), Captions::messageTitle());
    if (number.isEmpty())
        return;
    if (number.size() != 12) {
        refusal(QStringLiteral("项目编号格式错误。"));
        return;
    }
    if (!addProject(number))
        failure(QStringLiteral("添加项目") + kRetry);
}

bool ProjectCommands::addProject(const QString &number)
{
    const double wanted = VbText::numericValue(number);
    bool exists = false;
    if (m_store.recordCount() >= 1) {
        RecordStore::Walk walk(m_store);
        if (!m_store.moveFirst())
            return false;
        const int count = m_store.recordCount();
        for (int i = 0; i < count && !exists; ++i) {
            exists = VbText::numericValue(m_store.current().shown(u"JB02")) == wanted;
            if (!exists && !m_store.moveNext())
                return false;
        }
    } // the boxes show the row the walk stopped on
    if (exists) {
        refusal(QStringLiteral("项目编号已存在，请核对。"));
        return true;
    }
    if (!m_store.addNew())
        return false;
    QWidget *numberBox = m_binder.box(QStringLiteral("TextJB02"));
    m_pages.openPage(Page::Cover);
    m_list.setShown(false);
    numberBox->activateWindow(); // back from the input box
    numberBox->setFocus(Qt::OtherFocusReason);
    m_binder.setText(QStringLiteral("TextJB02"), number);
    return m_store.current().value(1) == number;
}

void ProjectCommands::CommandDeleteItem_Click()
{
    const QString number = itemNumber();
    if (!m_prompts.askOkCancel(QStringLiteral("确实要删除项目编号为") + number +
                                   QStringLiteral("的项目吗？"),
                               Captions::messageTitle()))
        return;
    if (!m_store.deleteCurrent())
        failure(QStringLiteral("删除项目") + itemNumber() + kRetry);
}

void ProjectCommands::CommandDataInit_Click()
{
    if (!m_prompts.askOkCancel(QStringLiteral("数据初始化将会删除全部数据，确认要删除吗？"),
                               Captions::messageTitle()))
        return;
    const int count = m_store.recordCount();
    int deleted = 0;
    do { // on an empty table the first move fails
        if (!m_store.moveFirst() || !m_store.deleteCurrent()) {
            failure(QStringLiteral("删除项目") + itemNumber() + kRetry);
            return;
        }
    } while (++deleted < count);
}

void ProjectCommands::CommandExitDataEdit_Click()
{
    m_list.setOpen(false);
    if (!m_store.moveFirst() || (m_store.recordCount() >= 1 && !m_store.update()))
        failure(QStringLiteral("更新数据") + kRetry);
}

void ProjectCommands::LocateProject()
{
    const double wanted = VbText::numericValue(m_query.text());
    {
        RecordStore::Walk walk(m_store);
        if (!m_store.moveFirst()) {
            failure(QStringLiteral("数据定位") + kRetry);
            return;
        }
        const int count = m_store.recordCount();
        for (int i = 0; i < count; ++i) {
            if (std::abs(wanted - VbText::numericValue(m_store.current().shown(u"JB02"))) < 0.1)
                return;
            if (!m_store.moveNext()) {
                failure(QStringLiteral("数据定位") + kRetry);
                return;
            }
        }
        if (!m_store.moveFirst()) {
            failure(QStringLiteral("数据定位") + kRetry);
            return;
        }
    }
    refusal(QStringLiteral("未找到要定位的项目！请检查项目编号是否正确。"));
}
