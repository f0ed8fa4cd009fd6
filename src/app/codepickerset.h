#pragma once

#include <QString>
#include <QVector>

class CodePicker;
class QWidget;

// The eighteen drop-down code pickers, in the order in which they are hidden, and the
// program-wide slot that tells a shared picker which of its fields it fills.
class CodePickerSet
{
public:
    void add(CodePicker *picker) { m_pickers << picker; }
    const QVector<CodePicker *> &pickers() const { return m_pickers; }
    CodePicker *picker(const QString &name) const;
    // The picker that is showing, or nullptr.
    CodePicker *shownPicker() const;

    // Hides every picker; their texts, places and PickerSlot stay as they are.
    void HideCodePickers();
    // Lays `picker` over `field` with the field's text and shows it alone.
    void ShowCodePicker(CodePicker *picker, QWidget *field);

    qint16 PickerSlot = 0;

private:
    QVector<CodePicker *> m_pickers;
};
