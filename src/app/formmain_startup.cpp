// Start-up, layout, the record-move handler and the end of the main window.
#include "formmain.h"

#include "captions.h"
#include "datacontrol.h"
#include "failure.h"
#include "fieldbehaviour.h"
#include "officeloader.h"
#include "panel.h"
#include "prompts.h"
#include "recordstore.h"
#include "recordtablemodel.h"
#include "twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>

namespace {

const QString kSummaryTemplateProbe = QStringLiteral("人才培养情况.xls");
const QString kUpdateFailure = QStringLiteral("更新数据失败！请检查数据或重新启动系统后重试。");

} // namespace

bool FormMain::Form_Load(QString *error)
{
    if (!m_store->open(m_folder, error))
        return false;
    attachGrid();
    connect(m_dataControl, &DataControl::moveFailed, this, &FormMain::sayMoveFailed);
    bindBoxes();
    probeSummaryTemplate();
    syncGridToCurrentRow();
    if (m_store->hasCurrent())
        Adodc2xxx_MoveComplete(); // opening the recordset moved it to its first row
    return true;
}

// The grid's current line moves the recordset only when the user moves it. While rows come
// and go the grid moves the line by itself: the flag is raised by the model's own signals,
// connected before the grid takes the model, so that it is up before the grid hears of a
// change.
void FormMain::attachGrid()
{
    m_model = std::make_unique<RecordTableModel>(*m_store);
    const auto changing = [this] { m_gridRowsChanging = true; };
    const auto changed = [this] { m_gridRowsChanging = false; };
    connect(m_model.get(), &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(m_model.get(), &QAbstractItemModel::rowsInserted, this, changed);
    connect(m_model.get(), &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(m_model.get(), &QAbstractItemModel::rowsRemoved, this, changed);
    connect(m_model.get(), &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, changed);
    m_grid->setModel(m_model.get());
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_gridRowsChanging && current.isValid())
                    gridRowChosen(current.row());
            });
}

// The summary commands are offered when their template is a regular file. The file is looked
// at, never opened: a FIFO in its place would hold the start until something wrote to it.
void FormMain::probeSummaryTemplate()
{
    if (QFileInfo(QDir(m_folder).filePath(kSummaryTemplateProbe)).isFile())
        return;
    for (const char *name : {"CommandItem", "CommandSum", "ImageSum", "Image4"})
        findChild<QWidget *>(QString::fromLatin1(name))->hide();
    for (const char *name : {"ImageEnd", "CommandEnd"}) {
        auto *widget = findChild<QWidget *>(QString::fromLatin1(name));
        widget->move(widget->x(), Twips::px(5280));
    }
}

OfficeSuite &FormMain::office()
{
    if (!m_office)
        m_office = m_makeOffice ? m_makeOffice() : OfficeLoader::createSuite();
    return *m_office;
}

bool FormMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_central && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

// Every change of the window's size closes the open panel; its command opens it again.
void FormMain::Form_Resize()
{
    const double width = Twips::fromPx(m_central->width());
    const double height = Twips::fromPx(m_central->height());
    double backgroundHeight = Twips::fromPx(m_background->height());
    if (height > 1010)
        backgroundHeight = height - 1000;
    m_background->setGeometry(0, Twips::px(500), m_central->width(), Twips::px(backgroundHeight));
    m_background->lower();
    const float left = float((width - Panel::OpenWidth) / 2 + 400);
    const Page order[] = {Page::Table1, Page::Table2, Page::Table3, Page::Table4, Page::Cover};
    QList<Panel *> panels{m_panels.list};
    for (Page page : order)
        panels << m_panels.pages[int(page)];
    for (Panel *panel : std::as_const(panels)) {
        panel->setOpen(false);
        panel->placeAt(left, 720);
    }
}

void FormMain::Adodc2xxx_MoveComplete()
{
    m_fieldBehaviour->codePickers().HideCodePickers();
    if (m_store->recordCount() >= 1)
        m_dataControl->setCaption(
            QStringLiteral("%1/%2").arg(m_store->absolutePosition()).arg(m_store->recordCount()));
}

void FormMain::gridRowChosen(int row)
{
    if (row != m_store->currentIndex() && !m_store->moveTo(row))
        sayMoveFailed();
}

// The recordset stays on its row with the edit; once the grid has handled the event that
// moved its current line, the line goes back to that row, and the failure is shown.
void FormMain::sayMoveFailed()
{
    QMetaObject::invokeMethod(
        this,
        [this, reason = m_store->lastError()] {
            syncGridToCurrentRow();
            tellFailure(m_prompts, kUpdateFailure, Captions::messageTitle(), reason);
        },
        Qt::QueuedConnection);
}

void FormMain::syncGridToCurrentRow()
{
    if (!m_model)
        return;
    const int row = m_store->currentIndex();
    QItemSelectionModel *selection = m_grid->selectionModel();
    const QSignalBlocker blocker(selection);
    if (row < 0) {
        selection->clear();
    } else {
        const QModelIndex index = m_model->index(row, qMax(0, m_grid->currentIndex().column()));
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    m_grid->viewport()->update();
}

// When the pending edit cannot be stored, the program stays unless the user, told what is
// lost, ends it anyway.
bool FormMain::storePending()
{
    if (!m_store->isOpen() || m_store->close())
        return true;
    if (!askToEndWithoutStoring())
        return false;
    m_store->closeWithoutStoring();
    return true;
}

bool FormMain::askToEndWithoutStoring()
{
    tellFailure(m_prompts, kUpdateFailure, Captions::messageTitle(), m_store->lastError());
    return m_prompts.askYesNoDefaultNo(
        QStringLiteral("项目编号为") + m_store->value(1) +
            QStringLiteral("的项目未保存的修改将会丢失，确认要退出吗？"),
        Captions::messageTitle());
}

bool FormMain::CommandEnd_Click()
{
    if (!storePending())
        return false;
    m_ended = true;
    close();
    return true;
}

void FormMain::closeEvent(QCloseEvent *event)
{
    if (!m_ended && !storePending()) {
        event->ignore();
        return;
    }
    m_ended = true;
    m_office.reset(); // the word processor and the office process end with the window
    event->accept();
}
