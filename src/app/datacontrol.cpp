#include "datacontrol.h"

#include "recordstore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

DataControl::DataControl(RecordStore &store, QWidget *parent)
    : QFrame(parent), m_store(store), m_caption(new QLabel(QStringLiteral("0000/0000"), this))
{
    setObjectName(QStringLiteral("Adodc2xxx"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    auto addButton = [&](const QString &text, const QString &name, auto move) {
        auto *button = new QToolButton(this);
        button->setText(text);
        button->setObjectName(name);
        button->setAccessibleName(name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, move);
        layout->addWidget(button);
    };
    // The data control's buttons stop at the first and the last row.
    addButton(QStringLiteral("|<"), QStringLiteral("first"),
              [this] { move(&RecordStore::moveFirst); });
    addButton(QStringLiteral("<"), QStringLiteral("previous"), [this] {
        if (m_store.absolutePosition() > 1 || onDeletedRow())
            move(&RecordStore::movePrevious);
        if (!m_store.hasCurrent())
            move(&RecordStore::moveFirst);
    });
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setObjectName(QStringLiteral("Adodc2xxxCaption"));
    layout->addWidget(m_caption, 1);
    addButton(QStringLiteral(">"), QStringLiteral("next"), [this] {
        if ((m_store.hasCurrent() && m_store.absolutePosition() < m_store.recordCount()) ||
            onDeletedRow())
            move(&RecordStore::moveNext);
        if (!m_store.hasCurrent())
            move(&RecordStore::moveLast);
    });
    addButton(QStringLiteral(">|"), QStringLiteral("last"),
              [this] { move(&RecordStore::moveLast); });
}

// On an empty table the buttons do nothing.
void DataControl::move(bool (RecordStore::*step)())
{
    if (m_store.recordCount() > 0 && !(m_store.*step)())
        emit moveFailed();
}

bool DataControl::onDeletedRow() const
{
    return m_store.absolutePosition() == RecordStore::PositionUnknown;
}

QString DataControl::caption() const
{
    return m_caption->text();
}

void DataControl::setCaption(const QString &caption)
{
    m_caption->setText(caption);
}
