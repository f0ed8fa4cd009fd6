// Start-up, layout, the record-move handler and the end of the main window.
#include "formmain.h"

#include "checkcommands.h"
#include "datacontrol.h"
#include "datafilecommands.h"
#include "fieldbinder.h"
#include "fieldbox.h"
#include "helpcommand.h"
#include "officeloader.h"
#include "pagering.h"
#include "panel.h"
#include "projectcommands.h"
#include "prompts.h"
#include "recordstore.h"
#include "recordtablemodel.h"
#include "summarycommand.h"
#include "reportcommands.h"
#include "twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

bool FormMain::Form_Load(QString *error)
{
    if (!m_store->open(m_folder, error))
        return false;
    // The grid's current line moves the recordset only when the user moves it, not when
    // the rows change under it.
    auto rowsChanging = [this](bool changing) {
        return [this, changing] { m_gridRowsChanging = changing; };
    };
    for (bool changing : {true, false}) {
        if (!changing) {
            m_model = std::make_unique<RecordTableModel>(*m_store);
            m_grid->setModel(m_model.get());
        }
        connect(m_store.get(), &RecordStore::rowInserted, this, rowsChanging(changing));
        connect(m_store.get(), &RecordStore::rowRemoved, this, rowsChanging(changing));
        connect(m_store.get(), &RecordStore::rowsReset, this, rowsChanging(changing));
    }
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_gridRowsChanging && current.isValid())
                    gridRowChosen(current.row());
            });
    connect(m_dataControl, &DataControl::moveFailed, this, &FormMain::sayMoveFailed);
    bindBoxes();
    probeSummaryTemplate();
    syncGridToCurrentRow();
    if (m_store->hasCurrent())
        Adodc2xxx_MoveComplete(); // opening the recordset moved it to its first row
    return true;
}

void FormMain::probeSummaryTemplate()
{
    const QString path = QDir(m_folder).filePath(summaryTemplateProbe());
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly)) {
        probe.close();
        return;
    }
    if (QFile::exists(path))
        return; // present but unreadable: not "file not found", nothing changes
    for (const char *name : {"CommandItem", "CommandSum"})
        button(QString::fromLatin1(name))->hide();
    for (const char *name : {"ImageSum", "Image4"})
        findChild<QLabel *>(QString::fromLatin1(name))->hide();
    auto *endPicture = findChild<QLabel *>(QStringLiteral("ImageEnd"));
    endPicture->move(endPicture->x(), Twips::px(5280));
    QPushButton *end = button(QStringLiteral("CommandEnd"));
    end->move(end->x(), Twips::px(5280));
}

void FormMain::connectCommands()
{
    connect(button(QStringLiteral("CommandEnd")), &QPushButton::clicked, this,
            [this] { CommandEnd_Click(); });
    m_pageRing->connectButtons();
    m_projectCommands->connectControls();
    m_checkCommands->connectControls();
    m_helpCommand->connectControls();
    m_dataFileCommands->connectControls();
    onClick("CommandSum", [this] { m_summaryCommand->CommandSum_Click(); });
    onClick("CommandReport", [this] { m_reportCommands->CommandReport_Click(); });
    onClick("CommandReports", [this] { m_reportCommands->CommandReports_Click(); });
    onClick("CommandPrint", [this] { m_reportCommands->CommandPrint_Click(); });
}

OfficeSuite &FormMain::office()
{
    if (!m_office)
        m_office = OfficeLoader::createSuite();
    return *m_office;
}

void FormMain::setOffice(std::unique_ptr<OfficeSuite> office)
{
    m_office = std::move(office);
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
    for (const char *name :
         {"FrameDataList", "Frame1", "Frame2", "Frame3", "Frame4", "FrameCover"}) {
        Panel *p = panel(QString::fromLatin1(name));
        p->setOpen(false);
        p->placeAt(left, 720);
    }
}

void FormMain::Adodc2xxx_MoveComplete()
{
    m_pickers.HideCodePickers();
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
        [this] {
            syncGridToCurrentRow();
            m_prompts.message(updateFailureText(), messageTitle(), MessageIcon::Information);
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
    m_prompts.message(updateFailureText(), messageTitle(), MessageIcon::Information);
    return m_prompts.askYesNoDefaultNo(
        QStringLiteral("项目编号为") + m_store->value(1) +
            QStringLiteral("的项目未保存的修改将会丢失，确认要退出吗？"),
        messageTitle());
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
