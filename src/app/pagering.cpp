#include "pagering.h"

#include "checkrules.h"
#include "fieldbinder.h"
#include "formmain.h"
#include "pagebuilder.h"
#include "panel.h"
#include "prompts.h"
#include "recordstore.h"

#include <QPushButton>

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

Panel *pagePanel(FormMain &form, Page page)
{
    return form.panel(QString::fromLatin1(PageBuilder::info(page).panelName));
}

} // namespace

PageRing::PageRing(FormMain &form) : m_form(form) {}

void PageRing::connectButtons()
{
    for (Page page : PageBuilder::AllPages) {
        const QString suffix = QString::fromLatin1(PageBuilder::info(page).buttonSuffix);
        QObject::connect(m_form.button(QStringLiteral("CommandBack") + suffix),
                         &QPushButton::clicked, [this, page] { movePage(page, true); });
        QObject::connect(m_form.button(QStringLiteral("CommandFront") + suffix),
                         &QPushButton::clicked, [this, page] { movePage(page, false); });
        QObject::connect(m_form.button(QStringLiteral("CommandClose") + suffix),
                         &QPushButton::clicked, [this, page] { closePage(page); });
    }
}

bool PageRing::movePage(Page from, bool forward)
{
    const PageMove &move = findMove(from, forward);
    if (move.rules) {
        CheckState &check = m_form.checkState();
        check.CheckError = 0;
        if (from == Page::Table1)
            m_form.codePickers().HideCodePickers();
        check.CheckMessage.clear();
        move.rules(m_form.store().current(), check);
        if (check.CheckError == 1) {
            m_form.prompts().message(check.CheckMessage, FormMain::messageTitle(),
                                     MessageIcon::Information);
            check.CheckError = 0;
            return false;
        }
    }
    pagePanel(m_form, from)->setOpen(false);
    pagePanel(m_form, move.to)->setOpen(true);
    if (QWidget *box = m_form.binder().box(QString::fromLatin1(move.focusBox)))
        box->setFocus(Qt::OtherFocusReason);
    return true;
}

void PageRing::closePage(Page page)
{
    pagePanel(m_form, page)->setOpen(false);
    m_form.panel(QStringLiteral("FrameDataList"))->setShown(true);
    if (page == Page::Table1)
        m_form.codePickers().HideCodePickers();
}

void PageRing::openPage(Page page)
{
    pagePanel(m_form, page)->setOpen(true);
}
