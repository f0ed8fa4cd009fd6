#pragma once

#include "fieldcatalogue.h"

#include <QString>

class FormMain;

// The ring of the five pages: cover, table 1 to table 4, and the cover again. Leaving a
// table page by its page buttons runs that table's rules first and stays while one fails.
class PageRing
{
public:
    explicit PageRing(FormMain &form);
    void connectButtons();

    // "下一页" (forward) and "上一页" on a page; false when a rule failed and the page stays.
    bool movePage(Page from, bool forward);
    // "关  闭" on a page.
    void closePage(Page page);
    // Closes every page and opens `page` (used by the project commands too).
    void openPage(Page page);

private:
    FormMain &m_form;
};
