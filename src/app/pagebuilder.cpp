#include "pagebuilder.h"

#include "codepicker.h"
#include "codetables.h"
#include "fieldbox.h"
#include "pagetables.h"
#include "panel.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>

namespace PageBuilder {
namespace {

const PageInfo kPages[] = {
    {Page::Cover, "FrameCover", "封面", "Cover"},
    {Page::Table1, "Frame1", "表一、概况", "1"},
    {Page::Table2, "Frame2", "表二、项目资金落实及支出情况", "2"},
    {Page::Table3, "Frame3", "表三、本年度项目实际参加人员", "3"},
    {Page::Table4, "Frame4", "表四、本年度项目效益及成果", "4"},
};

QRect place(const TwipRect &r)
{
    return Twips::rect(r.left, r.top, r.width, r.height);
}

QWidget *makeBox(const EntryField &field, QWidget *parent)
{
    const FieldSpec *def = FieldCatalogue::field(field.codeName());
    QWidget *box;
    if (def->kind == FieldKind::MultiLine) {
        box = new MultiLineBox(parent);
    } else {
        auto *line = new FieldBox(parent);
        line->setTypingLimit(field.maxLength);
        line->setAlignment((field.rightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                           Qt::AlignVCenter);
        line->setTextMargins(1, 0, 1, 0);
        if (field.filter != KeyFilter::None)
            line->setAttribute(Qt::WA_InputMethodEnabled, false);
        box = line;
    }
    box->setObjectName(def->boxName());
    box->setAccessibleName(def->captionText());
    box->setGeometry(place(field.rect));
    return box;
}

void addCaption(const CaptionLabel &caption, QWidget *parent)
{
    auto *label = new QLabel(caption.captionText(), parent);
    label->setObjectName(caption.name());
    label->setGeometry(place(caption.rect));
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setContentsMargins(2, 0, 0, 0);
    label->setWordWrap(caption.rect.height > 300);
}

void addStaticText(const StaticText &text, QWidget *parent)
{
    QWidget *widget = nullptr;
    if (text.kind == StaticKind::Balance) {
        auto *box = new QPlainTextEdit(parent);
        box->setPlainText(text.text16().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        widget = box;
    } else {
        auto *label =
            new QLabel(text.text16().replace(QStringLiteral("\r\n"), QStringLiteral("\n")), parent);
        label->setWordWrap(text.rect.width < 600);
        if (text.kind == StaticKind::Title) {
            QFont font = label->font();
            font.setPointSizeF(font.pointSizeF() * 1.6);
            font.setBold(true);
            label->setFont(font);
            label->setAlignment(Qt::AlignCenter);
            label->setAutoFillBackground(true);
        } else {
            label->setAlignment(text.rect.width < 600 ? Qt::AlignLeft | Qt::AlignTop
                                                      : Qt::AlignLeft | Qt::AlignVCenter);
        }
        widget = label;
    }
    widget->setObjectName(text.nameText());
    widget->setAccessibleName(text.text16().trimmed());
    widget->setGeometry(place(text.rect));
}

void addPageButton(QWidget *panel, const QString &name, const QString &caption, int left)
{
    auto *button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setGeometry(Twips::rect(left, 7200, 975, 375));
}

} // namespace

const PageInfo &info(Page page)
{
    return kPages[int(page)];
}

Panel *build(Page page, QWidget *parent, QWidget *focusPark)
{
    const PageInfo &pageInfo = info(page);
    auto *panel = new Panel(QString::fromLatin1(pageInfo.panelName),
                            QString::fromUtf8(pageInfo.caption), focusPark, parent);
    panel->setAutoFillBackground(true);
    // The page buttons come before the fields in tab order, the pickers after them.
    const QString suffix = QString::fromLatin1(pageInfo.buttonSuffix);
    const QString front =
        page == Page::Table3 ? QStringLiteral("上一页 ") : QStringLiteral("上一页");
    addPageButton(panel, QStringLiteral("CommandFront") + suffix, front, 3240);
    addPageButton(panel, QStringLiteral("CommandBack") + suffix, QStringLiteral("下一页"), 4560);
    addPageButton(panel, QStringLiteral("CommandClose") + suffix, QStringLiteral("关  闭"), 5880);

    for (const CaptionLabel &caption : EntryTables::labels()) {
        if (caption.page == page)
            addCaption(caption, panel);
    }
    for (const StaticText &text : EntryTables::staticTexts()) {
        if (text.page == page)
            addStaticText(text, panel);
    }
    for (const EntryField *field : EntryTables::fieldsOfPage(page)) {
        QWidget *box = makeBox(*field, panel);
        if (field->labelArray) {
            auto *label = panel->findChild<QLabel *>(field->labelName());
            if (label && !label->buddy())
                label->setBuddy(box);
        }
    }
    for (const CodePickerSpec &def : CodeTables::pickers()) {
        if (def.page == page)
            new CodePicker(def, panel);
    }
    return panel;
}

} // namespace PageBuilder
