// Preloaded (LD_PRELOAD) into the real program by a test: once the program waits for the
// user, it chooses "帮助信息(&H)" in the help menu, as the user would, so that the program
// loads its office layer its own way.
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

void chooseHelpOnceStarted()
{
    QTimer::singleShot(0, qApp, [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *help = window->findChild<QAction *>(QStringLiteral("MenuHelpView"))) {
                help->trigger();
                return;
            }
        }
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(chooseHelpOnceStarted)
