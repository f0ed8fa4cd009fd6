#pragma once

#include "fieldcatalogue.h"

class Panel;
class QWidget;

// Puts a page on its panel as the page tables declare it: page buttons, caption labels,
// headings, field boxes in tab order and the page's code pickers (hidden). The boxes are
// named as the catalogue names them; binding them is the window's job, their behaviour
// FieldBehaviour's.
namespace PageBuilder {

struct PageInfo
{
    Page page;
    const char *panelName;
    const char *caption;
    const char *buttonSuffix; // Cover, 1, 2, 3, 4
};

const PageInfo &info(Page page);
constexpr Page AllPages[] = {Page::Cover, Page::Table1, Page::Table2, Page::Table3, Page::Table4};

// The page's panel, a child of `parent`; `focusPark` takes the focus when it closes.
Panel *build(Page page, QWidget *parent, QWidget *focusPark);

} // namespace PageBuilder
