#include "pagering.h"

#include "captions.h"
#include "checkrules.h"
#include "codepickerset.h"
#include "controltable.h"
#include "panel.h"
#include "prompts.h"
#include "recordstore.h"

namespace {

using Rules = void (*)(const SurveyRecord &, CheckState &);

struct PageMove
{
    Page from;
    bool forward;
    Rules rules; // none on the cover
    Page to;
    const char *focusBox;
};

const PageMove kMoves[] = {
    {Page::Cover, true, nullptr, Page::Table1, "TextJB21"},
    {Page::Cover, false, nullptr, Page::Table4, "TextJG131"},
    {Page::Table1, true, CheckCoverAndTable1, Page::Table2, "TextJF1001"},
    {Page::Table1, false, CheckCoverAndTable1, Page::Cover, "TextJB01"},
    {Page::Table2, true, CheckTable2, Page::Table3, "TextJL100"},
    {Page::Table2, false, CheckTable2, Page::Table1, "TextJB21"},
    {Page::Table3, true, CheckTable3, Page::Table4, "TextJG131"},
    {Page::Table3, false, CheckTable3, Page::Table2, "TextJF1002"},
    {Page::Table4, true, CheckTable4, Page::Cover, "TextJB01"},
    {Page::Table4, false, CheckTable4, Page::Table3, "TextJL100"},
};

const PageMove &findMove(Page from, bool forward)
{
    for (const PageMove &move : kMoves) {
        if (move.from == from && move.forward == forward)
            return move;
    }
    Q_UNREACHABLE();
}

const ControlEntry<PageRing> kControls[] = {
    {"CommandBackCover", &PageRing::CommandBackCover_Click},
    {"CommandFrontCover", &PageRing::CommandFrontCover_Click},
    {"CommandCloseCover", &PageRing::CommandCloseCover_Click},
    {"CommandBack1", &PageRing::CommandBack1_Click},
    {"CommandFront1", &PageRing::CommandFront1_Click},
    {"CommandClose1", &PageRing::CommandClose1_Click},
    {"CommandBack2", &PageRing::CommandBack2_Click},
    {"CommandFront2", &PageRing::CommandFront2_Click},
    {"CommandClose2", &PageRing::CommandClose2_Click},
    {"CommandBack3", &PageRing::CommandBack3_Click},
    {"CommandFront3", &PageRing::CommandFront3_Click},
    {"CommandClose3", &PageRing::CommandClose3_Click},
    {"CommandBack4", &PageRing::CommandBack4_Click},
    {"CommandFront4", &PageRing::CommandFront4_Click},
    {"CommandClose4", &PageRing::CommandClose4_Click},
};

} // namespace

PageRing::PageRing(RecordStore &store, CheckState &check, CodePickerSet &pickers, Prompts &prompts,
                   const PagePanels &panels, QObject *parent)
    : QObject(parent), m_store(store), m_check(check), m_pickers(pickers), m_prompts(prompts),
      m_panels(panels)
{
}

void PageRing::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
}

bool PageRing::movePage(Page from, bool forward)
{
    const PageMove &move = findMove(from, forward);
    if (move.rules) {
        m_check.CheckError = 0;
        if (from == Page::Table1)
            m_pickers.HideCodePickers();
        m_check.CheckMessage.clear();
        move.rules(m_store.current(), m_check);
        if (m_check.CheckError == 1) {
            m_prompts.message(m_check.CheckMessage, Captions::messageTitle(),
                              MessageIcon::Information);
            m_check.CheckError = 0;
            return false;
        }
    }
    panelOf(from)->setOpen(false);
    Panel *target = panelOf(move.to);
    target->setOpen(true);
    if (auto *box = target->findChild<QWidget *>(QString::fromLatin1(move.focusBox)))
        box->setFocus(Qt::OtherFocusReason);
    return true;
}

void PageRing::closePage(Page page)
{
    panelOf(page)->setOpen(false);
    m_panels.list->setShown(true);
    if (page == Page::Table1)
        m_pickers.HideCodePickers();
}

void PageRing::openPage(Page page)
{
    panelOf(page)->setOpen(true);
}
