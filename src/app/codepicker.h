#pragma once

#include <QComboBox>

struct CodePickerSpec;

// A drop-down list of one code table, laid over a coded field while the field has the
// focus. It picks only by a choice from its open list: the mouse wheel and the arrow keys
// over the closed box pick nothing, and text typed into it is wiped at once.
class CodePicker : public QComboBox
{
    Q_OBJECT

public:
    CodePicker(const CodePickerSpec &def, QWidget *parent);

    const CodePickerSpec &def() const { return m_def; }
    // Shows a text in the text part as the program sets it.
    void setShownText(const QString &text);

signals:
    // An item chosen from the list (the item's whole text).
    void picked(const QString &item);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const CodePickerSpec &m_def;
};
