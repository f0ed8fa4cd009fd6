#pragma once

#include <QObject>
#include <QStringList>
#include <cstddef>
#include <functional>

// How a command class states its controls: one table of entries, each the object name of a
// button or menu entry of the window with the member function that runs when the control is
// clicked or chosen.
template <class Commands, class Result = void> struct ControlEntry
{
    const char *name;
    Result (Commands::*handler)();
};

namespace ControlTable {

// Runs `handler` whenever the button or menu entry named `name` below `window` is clicked or
// chosen, for as long as `context` lives. A name that matches no control is a mistake in a
// table: a debug build stops there, and every build notes the name.
void connectControl(QObject &window, const char *name, QObject *context,
                    std::function<void()> handler);

// The names that matched no control since the program started; empty when every table is
// sound.
QStringList unmatchedNames();

// Connects every entry of `table` to `commands`, which is the connections' context.
template <class Commands, class Result, std::size_t N>
void connect(QObject &window, Commands &commands, const ControlEntry<Commands, Result> (&table)[N])
{
    for (const ControlEntry<Commands, Result> &entry : table) {
        connectControl(window, entry.name, &commands,
                       [&commands, handler = entry.handler] { (commands.*handler)(); });
    }
}

} // namespace ControlTable
