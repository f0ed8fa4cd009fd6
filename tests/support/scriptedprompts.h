#pragma once

#include "prompts.h"

#include <QQueue>
#include <QStringList>
#include <functional>

// Answers the program's questions from a script and records every message shown, with its
// detailed text.
class ScriptedPrompts : public Prompts
{
public:
    struct Shown
    {
        QString text;
        QString title;
        MessageIcon icon;
        QString details; // a message's detailed text
        enum class Buttons { Ok, OkCancel, YesNo } buttons = Buttons::Ok;
    };

    QQueue<QString> inputs;    // answers of input boxes
    QQueue<bool> answers;      // answers of OK/Cancel and Yes/No questions
    QQueue<QString> fileNames; // names chosen in file dialogs
    QList<Shown> shown;        // messages and questions, in order
    QList<FileDialogSetup> dialogs;
    // Runs while each message shows, to look at the window behind it.
    std::function<void(const QString &text)> whileShown;

    void message(const QString &text, const QString &title, MessageIcon icon,
                 const QString &details = QString()) override
    {
        shown << Shown{text, title, icon, details, Shown::Buttons::Ok};
        if (whileShown)
            whileShown(text);
    }
    bool askOkCancel(const QString &text, const QString &title) override
    {
        shown << Shown{text, title, MessageIcon::Question, {}, Shown::Buttons::OkCancel};
        return answers.isEmpty() ? false : answers.dequeue();
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        shown << Shown{text, title, MessageIcon::Question, {}, Shown::Buttons::YesNo};
        return answers.isEmpty() ? false : answers.dequeue();
    }
    bool askYesNoDefaultNo(const QString &text, const QString &title) override
    {
        return askYesNo(text, title);
    }
    QString input(const QString &prompt, const QString &title) override
    {
        shown << Shown{prompt, title, MessageIcon::None, {}, Shown::Buttons::OkCancel};
        return inputs.isEmpty() ? QString() : inputs.dequeue();
    }
    QString saveFileName(const FileDialogSetup &setup) override
    {
        dialogs << setup;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString openFileName(const FileDialogSetup &setup) override
    {
        dialogs << setup;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};
