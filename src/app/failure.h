#pragma once

#include "prompts.h"

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

// Failures of the commands: what the user is told and why it happened.
Q_DECLARE_LOGGING_CATEGORY(lcFailure)

// Shows a command's failure message `text` with `icon` under `title`, with `reason` (SQLite's,
// the file system's or the office's own words) as its detailed text, and logs both, so that
// the reason can be read and sent on.
void tellFailure(Prompts &prompts, const QString &text, const QString &title, const QString &reason,
                 MessageIcon icon = MessageIcon::Information);

// The program's own files, which no command writes over: the database and the files SQLite
// keeps beside it, the office library and the executable in `programFolder`, and the
// executable that runs.
QStringList programFiles(const QString &programFolder);

// Whether the commands may write a file the user named at `path`: not when it is one of the
// program's own files (however spelled); then false, with the reason.
bool mayWriteOver(const QString &path, const QString &programFolder, QString *reason);
