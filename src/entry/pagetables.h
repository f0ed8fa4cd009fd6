#pragma once

#include "fieldcatalogue.h"

#include <QString>
#include <QVector>

// The five entry pages as data: every field with its place, caption, key moves and focus
// steps, every caption label and every static text. The rows of a page are in its tab order.
// Positions and sizes are in twips inside the page's panel.

struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

// An arrow key's or Enter's target: a field code, Tab (the tab keystroke is sent) or
// nullptr (the key is not handled).
struct ArrowMoves
{
    const char *down;
    const char *up;
    const char *left;
    const char *right;
};

enum class KeyFilter {
    None,
    Digits,       // 0..9 and backspace; every other typed character is dropped
    SignedDigits, // the same, and a minus sign in front
};

enum class FocusStep {
    None,      // only the caption lights up
    Hide,      // hides every code picker
    Picker,    // lays its code picker over the field
    StampDate, // the field is set to the current date
};

enum class LeaveCheck {
    None,
    ProjectNumber, // twelve characters, and no other project's number
    Email,         // an "@" between the first and the last character
    AppraisalDate, // "XXXX-..", not before the start year; not appraised empties JB83
    StripQuotes,   // double quotation marks are taken out
};

struct EntryField
{
    const char *code;
    Page page;
    TwipRect rect;
    bool rightAligned;
    int maxLength;          // 0 = unlimited
    const char *labelArray; // nullptr: the box lights its own background
    int labelIndex;
    ArrowMoves arrows;
    bool enterTab;
    KeyFilter filter;
    FocusStep onFocus;
    const char *picker; // with FocusStep::Picker
    int slot;           // PickerSlot of a shared picker, else 0
    LeaveCheck onLeave;

    QString codeName() const { return QString::fromLatin1(code); }
    // The caption label's object name, e.g. "LabelFM(1)"; empty for a self-lit box.
    QString labelName() const;
};

struct CaptionLabel
{
    Page page;
    const char *array;
    int index;
    const char *caption; // as the page prints it, leading blanks included
    TwipRect rect;

    QString name() const;
    QString captionText() const { return QString::fromUtf8(caption); }
};

enum class StaticKind {
    Title,   // the cover's title box
    Heading, // a heading or a note
    Balance, // a read-only balance text of several lines
};

struct StaticText
{
    Page page;
    const char *name;
    const char *text;
    TwipRect rect;
    StaticKind kind;

    QString nameText() const { return QString::fromLatin1(name); }
    QString text16() const { return QString::fromUtf8(text); }
};

namespace EntryTables {

constexpr const char *Tab = "{tab}";
inline bool isTab(const char *target)
{
    return target && qstrcmp(target, Tab) == 0;
}

// Every entry field, page by page, each page in tab order.
const QVector<EntryField> &fields();
QVector<const EntryField *> fieldsOfPage(Page page);
const EntryField *field(QStringView code);

const QVector<CaptionLabel> &labels();
const CaptionLabel *label(QStringView array, int index);

const QVector<StaticText> &staticTexts();

} // namespace EntryTables
