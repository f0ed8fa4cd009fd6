#include "panel.h"

#include "twips.h"

#include <QApplication>

Panel::Panel(const QString &name, const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
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
    if (!visible && s_focusPark) {
        QWidget *focused = QApplication::focusWidget();
        if (focused && isAncestorOf(focused))
            s_focusPark->setFocus(Qt::OtherFocusReason);
    }
    setGeometry(area);
    if (visible) {
        show();
        raise();
    } else {
        hide();
    }
}
