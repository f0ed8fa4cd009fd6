#pragma once

#include "fieldcatalogue.h"

#include <QObject>
#include <array>

class CodePickerSet;
class Panel;
class Prompts;
class RecordStore;
struct CheckState;

// The panels the page ring opens and closes: the project list and the five pages, in the
// order of Page.
struct PagePanels
{
    Panel *list = nullptr;
    std::array<Panel *, 5> pages{};
};

// The ring of the five pages: cover, table 1 to table 4, and the cover again. Leaving a
// table page by its page buttons runs that table's rules on the current record first and
// stays, with the rules' message, while one fails.
class PageRing : public QObject
{
    Q_OBJECT

public:
    PageRing(RecordStore &store, CheckState &check, CodePickerSet &pickers, Prompts &prompts,
             const PagePanels &panels, QObject *parent = nullptr);
    // Connects the page buttons below `window`.
    void connectControls(QObject &window);

    // "下一页" (forward) and "上一页" on a page; false when a rule failed and the page stays.
    bool movePage(Page from, bool forward);
    // "关  闭" on a page.
    void closePage(Page page);
    // Opens `page` (used by the project commands).
    void openPage(Page page);

    // The page buttons: "下一页" is CommandBack, "上一页" CommandFront, "关  闭" CommandClose,
    // each followed by the page (Cover, 1 to 4).
    void CommandBackCover_Click() { movePage(Page::Cover, true); }
    void CommandFrontCover_Click() { movePage(Page::Cover, false); }
    void CommandCloseCover_Click() { closePage(Page::Cover); }
    void CommandBack1_Click() { movePage(Page::Table1, true); }
    void CommandFront1_Click() { movePage(Page::Table1, false); }
    void CommandClose1_Click() { closePage(Page::Table1); }
    void CommandBack2_Click() { movePage(Page::Table2, true); }
    void CommandFront2_Click() { movePage(Page::Table2, false); }
    void CommandClose2_Click() { closePage(Page::Table2); }
    void CommandBack3_Click() { movePage(Page::Table3, true); }
    void CommandFront3_Click() { movePage(Page::Table3, false); }
    void CommandClose3_Click() { closePage(Page::Table3); }
    void CommandBack4_Click() { movePage(Page::Table4, true); }
    void CommandFront4_Click() { movePage(Page::Table4, false); }
    void CommandClose4_Click() { closePage(Page::Table4); }

private:
    Panel *panelOf(Page page) const { return m_panels.pages[int(page)]; }

    RecordStore &m_store;
    CheckState &m_check;
    CodePickerSet &m_pickers;
    Prompts &m_prompts;
    PagePanels m_panels;
};
