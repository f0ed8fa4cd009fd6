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
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (index >= 0)
            emit picked(itemText(index));
    });
    hide();
}

void CodePicker::setShownText(const QString &text)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(-1);
    setEditText(text);
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
