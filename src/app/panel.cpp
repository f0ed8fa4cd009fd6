#include "panel.h"

#include "twips.h"

#include <QApplication>

Panel::Panel(const QString &name, const QString &caption, QWidget *focusPark, QWidget *parent)
    : QGroupBox(caption, parent), m_focusPark(focusPark)
{
    setObjectName(name);
    setAccessibleName(caption);
    apply();
}

void Panel::setOpen(bool open)
{
    m_open = open;
    apply();
}

void Panel::setShown(bool shown)
{
    m_shown = shown;
    apply();
}

void Panel::placeAt(double left, double top)
{
    m_left = left;
    m_top = top;
    apply();
}

void Panel::apply()
{
    const QRect area = m_open ? Twips::rect(m_left, m_top, OpenWidth, OpenHeight)
                              : Twips::rect(m_left, m_top, ClosedSize, ClosedSize);
    const bool visible = m_open && m_shown;
    if (!visible) {
        QWidget *focused = QApplication::focusWidget();
        if (focused && isAncestorOf(focused))
            m_focusPark->setFocus(Qt::OtherFocusReason);
    }
    setGeometry(area);
    if (visible) {
        show();
        raise();
    } else {
        hide();
    }
}
