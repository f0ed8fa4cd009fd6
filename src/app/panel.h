#pragma once

#include <QGroupBox>

// One of the six panels of the main window. A panel is open at its open size or closed at
// 10 by 10 twips; a closed panel is also hidden, so that nothing on it takes the focus. The
// project list panel has a visibility of its own besides (hidden behind an open page).
class Panel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int OpenWidth = 10000;
    static constexpr int OpenHeight = 7700;
    static constexpr int ClosedSize = 10;

    // `focusPark` takes the focus before the panel would hide a focused widget.
    Panel(const QString &name, const QString &caption, QWidget *focusPark, QWidget *parent);

    bool isOpen() const { return m_open; }
    void setOpen(bool open);
    bool isShown() const { return m_shown; }
    void setShown(bool shown);
    // Places the panel at (left, top) twips, keeping its size.
    void placeAt(double left, double top);

private:
    void apply();

    bool m_open = false;
    bool m_shown = true;
    double m_left = 0;
    double m_top = 0;
    QWidget *m_focusPark;
};
