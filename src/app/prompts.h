#pragma once

#include <QString>

enum class MessageIcon { None, Information, Exclamation, Question };

// What a file dialog is set up with; every dialog starts with an empty file name.
struct FileDialogSetup
{
    QString folder;
    QString filter; // as the dialog shows it, e.g. "kj (*.kj)"
    QString title;
};

// The modal questions and messages of the program. The window uses message boxes, input
// boxes and file dialogs; tests answer them from a script.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // A message with an OK button; `details`, when given, is its detailed text (the reason of
    // a failure, for the user to read and send on).
    virtual void message(const QString &text, const QString &title, MessageIcon icon,
                         const QString &details = QString()) = 0;
    // OK/Cancel with the question icon; true on OK.
    virtual bool askOkCancel(const QString &text, const QString &title) = 0;
    // Yes/No with the question icon; true on Yes.
    virtual bool askYesNo(const QString &text, const QString &title) = 0;
    // The same with No as the default button, for a step that gives up data.
    virtual bool askYesNoDefaultNo(const QString &text, const QString &title) = 0;
    // An input box; an empty text when cancelled.
    virtual QString input(const QString &prompt, const QString &title) = 0;
    // A file dialog; an empty name when cancelled.
    virtual QString saveFileName(const FileDialogSetup &setup) = 0;
    virtual QString openFileName(const FileDialogSetup &setup) = 0;
};
