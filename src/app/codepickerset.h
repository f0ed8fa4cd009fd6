#pragma once

#include <QVector>

class QWidget;

// The drop-down code pickers laid over coded fields.
class CodePickerSet
{
public:
    void add(QWidget *picker) { m_pickers << picker; }
    const QVector<QWidget *> &pickers() const { return m_pickers; }

    // Hides every picker.
    void HideCodePickers();

private:
    QVector<QWidget *> m_pickers;
};
