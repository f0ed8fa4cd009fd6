// Controls found by their names: a button's click and a menu entry's choice run the handler
// for as long as the commands live; a name that matches no control is noted.
#include "controltable.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

struct Commands : QObject
{
    int runs = 0;
    void run() { ++runs; }
};

} // namespace

class TestControlTable : public QObject
{
    Q_OBJECT

private slots:
    void buttonsAndMenuEntriesRunTheirHandlers()
    {
        QWidget window;
        auto *button = new QPushButton(&window);
        button->setObjectName(QStringLiteral("CommandGo"));
        QAction *entry = (new QMenu(&window))->addAction(QStringLiteral("Go"));
        entry->setObjectName(QStringLiteral("MenuGo"));
        auto commands = std::make_unique<Commands>();
        static const ControlEntry<Commands> table[] = {{"CommandGo", &Commands::run},
                                                       {"MenuGo", &Commands::run}};
        ControlTable::connect(window, *commands, table);
        button->click();
        entry->trigger();
        QCOMPARE(commands->runs, 2);
        commands.reset();
        button->click(); // the commands are gone, and so is the connection
        QCOMPARE(ControlTable::unmatchedNames(), QStringList());
    }

    void aNameThatMatchesNoControlIsNoted()
    {
#ifndef QT_NO_DEBUG
        QSKIP("A debug build stops at such a name.");
#endif
        QWidget window;
        Commands commands;
        static const ControlEntry<Commands> table[] = {{"CommandNowhere", &Commands::run}};
        ControlTable::connect(window, commands, table);
        QCOMPARE(ControlTable::unmatchedNames(), QStringList{QStringLiteral("CommandNowhere")});
    }
};

QTEST_MAIN(TestControlTable)
#include "tst_controltable.moc"
