#include "codepicker.h"

#include "codetables.h"
#include "fieldcatalogue.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

CodePicker::CodePicker(const CodePickerSpec &def, QWidget *parent) : QComboBox(parent), m_def(def)
{
    setObjectName(def.nameText());
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(20);
    addItems(def.items);
    setCurrentIndex(-1);
    if (const FieldSpec *field = FieldCatalogue::field(def.fields.first()))
        setAccessibleName(field->captionText());
    // The list may be wider than the field it covers, so that every item reads in full.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { lineEdit()->clear(); });
    // The box also activates an item when its text part loses the focus holding that
    // item's text; only an activation that a choice in the list started is a pick.
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (!m_choosing || index < 0)
            return;
        m_choosing = false;
        emit picked(itemText(index));
    });
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    hide();
}

void CodePicker::setShownText(const QString &text)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    setEditText(text);
}

void CodePicker::showPopup()
{
    emit listOpened();
    QComboBox::showPopup();
}

// Sees a click or an Enter in the open list before the box acts on it.
bool CodePicker::eventFilter(QObject *watched, QEvent *event)
{
    const bool inList = view()->isVisible();
    if (inList && watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease)
        noteChoice();
    if (inList && watched == view() &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            noteChoice();
    }
    return QComboBox::eventFilter(watched, event);
}

// The box activates the chosen item at once, while the event is handled; a click that
// chose nothing leaves no choice behind.
void CodePicker::noteChoice()
{
    m_choosing = true;
    QMetaObject::invokeMethod(
        this, [this] { m_choosing = false; }, Qt::QueuedConnection);
}

void CodePicker::hideEvent(QHideEvent *event)
{
    m_choosing = false;
    QComboBox::hideEvent(event);
}

void CodePicker::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void CodePicker::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier)
            break; // Alt+Down opens the list
        event->accept();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}
