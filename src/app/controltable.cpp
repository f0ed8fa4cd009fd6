#include "controltable.h"

#include <QAbstractButton>
#include <QAction>

namespace ControlTable {
namespace {

QStringList &unmatched()
{
    static QStringList names;
    return names;
}

} // namespace

void connectControl(QObject &window, const char *name, QObject *context,
                    std::function<void()> handler)
{
    const QString objectName = QString::fromLatin1(name);
    if (auto *button = window.findChild<QAbstractButton *>(objectName)) {
        QObject::connect(button, &QAbstractButton::clicked, context, std::move(handler));
        return;
    }
    if (auto *action = window.findChild<QAction *>(objectName)) {
        QObject::connect(action, &QAction::triggered, context, std::move(handler));
        return;
    }
    unmatched() << objectName;
    Q_ASSERT_X(false, "ControlTable::connectControl", name);
}

QStringList unmatchedNames()
{
    return unmatched();
}

} // namespace ControlTable
