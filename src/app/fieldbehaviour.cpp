#include "fieldbehaviour.h"

#include "codepicker.h"
#include "codetables.h"
#include "fieldbinder.h"
#include "fieldbox.h"
#include "fieldchecks.h"
#include "pagetables.h"
#include "prompts.h"
#include "recordstore.h"
#include "vbtext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <utility>

namespace {

// Focus moves made inside the window by the user or by the program; window activation,
// popups and the menu bar do not count.
bool inWindowMove(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

void paint(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void sendTab(QWidget *from)
{
    QCoreApplication::postEvent(from, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

} // namespace

FieldBehaviour::FieldBehaviour(RecordStore &store, FieldBinder &binder, Prompts &prompts,
                               QWidget &pages, QWidget &focusPark, QObject *parent)
    : QObject(parent), m_store(store), m_binder(binder), m_prompts(prompts), m_focusPark(focusPark)
{
    for (const EntryField &field : EntryTables::fields()) {
        const FieldSpec *def = FieldCatalogue::field(field.codeName());
        auto *box = pages.findChild<QWidget *>(def->boxName());
        if (!box)
            continue;
        Entry entry{&field, box, nullptr};
        if (field.labelArray)
            entry.label = box->parentWidget()->findChild<QLabel *>(field.labelName());
        m_byBox.insert(box, int(m_entries.size()));
        m_byCode.insert(field.codeName(), int(m_entries.size()));
        m_entries << entry;
        box->installEventFilter(this);
        if (entry.label)
            paint(entry.label, QPalette::Window, normalColour());
    }
    for (const CodePickerSpec &def : CodeTables::pickers()) {
        auto *picker = pages.findChild<CodePicker *>(def.nameText());
        if (!picker)
            continue;
        m_pickers.add(picker);
        connect(picker, &CodePicker::listOpened, this, [this, picker] { listOpened(picker); });
        connect(picker, &CodePicker::picked, this,
                [this, picker](const QString &item) { picked(picker, item); });
    }
}

QColor FieldBehaviour::highlightColour()
{
    return QColor(255, 255, 128);
}

QColor FieldBehaviour::normalColour()
{
    return QApplication::palette().color(QPalette::Button);
}

QWidget *FieldBehaviour::fieldBox(const QString &code) const
{
    const auto it = m_byCode.constFind(code);
    return it == m_byCode.constEnd() ? nullptr : m_entries[*it].box;
}

bool FieldBehaviour::eventFilter(QObject *watched, QEvent *event)
{
    const auto it = m_byBox.constFind(watched);
    if (it == m_byBox.constEnd())
        return false;
    Entry &entry = m_entries[*it];
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto *focus = static_cast<QFocusEvent *>(event);
        if (inWindowMove(focus->reason()) && (!m_refusing || m_refusing == entry.box))
            gotFocus(entry);
        break;
    }
    case QEvent::FocusOut: {
        const auto *focus = static_cast<QFocusEvent *>(event);
        if (!inWindowMove(focus->reason()) || (m_refusing && m_refusing != entry.box))
            break;
        lostFocus(entry, QApplication::focusWidget() != &m_focusPark);
        break;
    }
    case QEvent::KeyPress:
        return keyPress(entry, static_cast<QKeyEvent *>(event));
    default:
        break;
    }
    return false;
}

void FieldBehaviour::gotFocus(Entry &entry)
{
    const EntryField &field = *entry.field;
    light(entry, true);
    switch (field.onFocus) {
    case FocusStep::StampDate:
        setText(field.codeName(), FieldChecks::fillInDate(QDate::currentDate()));
        break;
    case FocusStep::Picker:
        if (CodePicker *picker = m_pickers.picker(QString::fromLatin1(field.picker))) {
            m_pickers.ShowCodePicker(picker, entry.box);
            if (picker->def().isShared())
                m_pickers.PickerSlot = qint16(field.slot);
        }
        break;
    case FocusStep::Hide:
        m_pickers.HideCodePickers();
        break;
    case FocusStep::None:
        break;
    }
}

void FieldBehaviour::lostFocus(Entry &entry, bool check)
{
    if (entry.field->onLeave == LeaveCheck::StripQuotes) {
        entry.everLeft = true;
        light(entry, false);
        const QString code = entry.field->codeName();
        const QString current = text(code);
        const QString stripped = FieldChecks::withoutQuotes(current);
        if (stripped != current)
            setText(code, stripped);
        return;
    }
    if (!check || entry.field->onLeave == LeaveCheck::None) {
        light(entry, false);
        return;
    }
    const QString message = failedCheck(entry);
    if (message.isEmpty())
        light(entry, false);
    else
        refuse(entry, message);
}

// Runs the field's check; the refusal message, or an empty text when the field passes.
QString FieldBehaviour::failedCheck(Entry &entry)
{
    const QString code = entry.field->codeName();
    switch (entry.field->onLeave) {
    case LeaveCheck::ProjectNumber: {
        const QString number = text(code);
        if (!FieldChecks::projectNumberFormat(number))
            return FieldChecks::projectNumberMessage();
        if (numberInUse(m_store, number))
            return FieldChecks::duplicateNumberMessage();
        return {};
    }
    case LeaveCheck::Email:
        return FieldChecks::emailAddress(text(code)) ? QString() : FieldChecks::emailMessage();
    case LeaveCheck::AppraisalDate:
        switch (FieldChecks::appraisalDate(text(QStringLiteral("JB81")), text(code),
                                           text(QStringLiteral("JB63_1")))) {
        case FieldChecks::Appraisal::NotAppraised:
            setText(QStringLiteral("JB83"), QString());
            return {};
        case FieldChecks::Appraisal::Pass:
            return {};
        case FieldChecks::Appraisal::Fail:
            return FieldChecks::appraisalMessage();
        }
        return {};
    case LeaveCheck::StripQuotes:
    case LeaveCheck::None:
        break;
    }
    return {};
}

// The message is shown once the event that moved the focus is done (a button pressed
// meanwhile is released without its click), then the focus goes back into the field. Until
// then no other field runs its focus steps or its check.
void FieldBehaviour::refuse(Entry &entry, const QString &message)
{
    m_refusing = entry.box;
    QPointer<QWidget> box = entry.box;
    QMetaObject::invokeMethod(
        this, [this, box, message] { finishRefusal(box, message); }, Qt::QueuedConnection);
}

void FieldBehaviour::finishRefusal(QWidget *box, const QString &message)
{
    if (auto *button = qobject_cast<QAbstractButton *>(QApplication::focusWidget())) {
        if (button->isDown())
            button->setDown(false);
    }
    m_prompts.message(message, FieldChecks::titleText(), MessageIcon::Information);
    if (box && box->isVisible()) {
        // Without a window manager nothing gives the window back its activation after the
        // message box, and focus moves in an inactive window send no focus events.
        if (!box->isActiveWindow())
            box->activateWindow();
        box->setFocus(Qt::OtherFocusReason);
    }
    m_refusing = nullptr;
}

bool FieldBehaviour::keyPress(Entry &entry, QKeyEvent *event)
{
    const EntryField &field = *entry.field;
    const char *target = nullptr;
    switch (event->key()) {
    case Qt::Key_Down:
        target = field.arrows.down;
        break;
    case Qt::Key_Up:
        target = field.arrows.up;
        break;
    case Qt::Key_Left:
        target = field.arrows.left;
        break;
    case Qt::Key_Right:
        target = field.arrows.right;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (field.enterTab) {
            sendTab(entry.box);
            return true;
        }
        return field.filter != KeyFilter::None; // a digit field drops Enter
    default: {
        const QString typed = event->text();
        if (field.onLeave == LeaveCheck::StripQuotes && typed == QLatin1String("\"")) {
            static_cast<MultiLineBox *>(entry.box)->insertPlainText(QStringLiteral("'"));
            return true;
        }
        if (field.filter == KeyFilter::None || typed.isEmpty())
            return false;
        for (QChar c : typed) {
            if (filterCharacter(entry, c))
                return true;
        }
        return false;
    }
    }
    if (!target)
        return false;
    moveTo(target, entry.box);
    return true;
}

// True when the digit filter drops a typed character. Control characters (backspace,
// delete, the editing shortcuts) pass.
bool FieldBehaviour::filterCharacter(const Entry &entry, QChar c) const
{
    if (c.unicode() < 32 || c.unicode() == 127)
        return false;
    if (c >= u'0' && c <= u'9')
        return false;
    if (c == u'-' && entry.field->filter == KeyFilter::SignedDigits) {
        const auto *box = static_cast<const FieldBox *>(entry.box);
        const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
        const QString rest =
            box->text().mid(box->hasSelectedText() ? start + box->selectedText().size() : start);
        return start != 0 || rest.startsWith(u'-');
    }
    return true;
}

void FieldBehaviour::moveTo(const char *target, QWidget *from)
{
    if (EntryTables::isTab(target)) {
        sendTab(from);
        return;
    }
    if (QWidget *box = fieldBox(QString::fromLatin1(target)))
        box->setFocus(Qt::OtherFocusReason);
}

// The field a pick will fill, and the record it belongs to, are those of the moment the list
// opens.
void FieldBehaviour::listOpened(CodePicker *picker)
{
    m_pick =
        PickTarget{picker, picker->def().targetField(m_pickers.PickerSlot), m_store.currentIndex()};
}

void FieldBehaviour::picked(CodePicker *picker, const QString &item)
{
    const CodePickerSpec &def = picker->def();
    const PickTarget pick = std::exchange(m_pick, PickTarget());
    const bool sameRecord = pick.row >= 0 && pick.row == m_store.currentIndex();
    const QString target = pick.picker == picker && sameRecord ? pick.field : QString();
    if (!target.isEmpty()) {
        if (QWidget *box = fieldBox(target))
            box->setFocus(Qt::OtherFocusReason);
        setText(target, def.pickedText(item));
        if (target == QLatin1String("JB83") &&
            VbText::numericValue(text(QStringLiteral("JB81"))) == 2)
            setText(target, QString());
    }
    picker->hide();
}

void FieldBehaviour::light(Entry &entry, bool on)
{
    const QColor colour = on ? highlightColour() : normalColour();
    if (entry.label)
        paint(entry.label, QPalette::Window, colour);
    else
        paint(entry.box, QPalette::Base,
              on || entry.everLeft ? colour : QApplication::palette().color(QPalette::Base));
}

bool FieldBehaviour::numberInUse(const RecordStore &store, const QString &number)
{
    const double wanted = VbText::numericValue(number);
    const int current = store.currentIndex();
    for (int i = 0; i < store.recordCount(); ++i) {
        if (i != current && VbText::numericValue(store.row(i).value(1)) == wanted)
            return true;
    }
    return false;
}

QString FieldBehaviour::text(const QString &code) const
{
    QWidget *box = fieldBox(code);
    if (auto *line = qobject_cast<FieldBox *>(box))
        return line->text();
    if (auto *multi = qobject_cast<MultiLineBox *>(box))
        return multi->text();
    return {};
}

void FieldBehaviour::setText(const QString &code, const QString &text)
{
    if (QWidget *box = fieldBox(code))
        m_binder.setText(box->objectName(), text);
}
