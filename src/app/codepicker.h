#pragma once

#include <QComboBox>

struct CodePickerSpec;

// A drop-down list of one code table, laid over a coded field while the field has the
// focus. Only a choice from its open list picks: a click on an item or Enter on it. Leaving
// the text part, the mouse wheel and the arrow keys over the closed box pick nothing, and
// text typed into it is wiped at once.
class CodePicker : public QComboBox
{
    Q_OBJECT

public:
    CodePicker(const CodePickerSpec &def, QWidget *parent);

    const CodePickerSpec &def() const { return m_def; }
    // Shows a text in the text part as the program sets it; the item of that text, if any,
    // becomes the current one, so that the box never takes the text for a choice.
    void setShownText(const QString &text);

    void showPopup() override;

signals:
    // The list is about to open.
    void listOpened();
    // An item chosen from the open list (the item's whole text).
    void picked(const QString &item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void noteChoice();

    const CodePickerSpec &m_def;
    bool m_choosing = false; // a click or Enter in the open list is being handled
};
