#pragma once

#include "kjformat.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QVector>

class RecordStore;

// The record-store side of the `.kj` data files: the writers read each record the way the
// project list shows it (the current row's buffer, with edits not yet stored), the append
// sorts out the projects the table holds already. Every failure is told by the return value.
namespace DataFiles {

// The current record into a file of its own (empty values as " ").
bool writeCurrent(RecordStore &store, const QString &path, QString *error);

// Every record from the first into one file (empty values as " "). The walk leaves the
// recordset past its last row. An empty table fails.
bool writeAll(RecordStore &store, const QString &path, QString *error);

// One file per record, named by its project number with ".kj" appended, in `folder`
// (empty values as "."). A record is passed over, its number added to `refused`, and the walk
// goes on when its number cannot name a file there (empty; "/", "\", ".." or a control
// character such as a line break; only blanks and dots; too long for the folder's file
// system), when the name is held by a folder, a file we may not write or a link to one of
// `ownFiles` (the program's own files: its database, its office library), or when its file
// cannot be put in place under the name. The walk leaves the recordset past its last row.
// False when the table is empty, a file cannot be written at all (a folder that takes no
// file, a full disk) or a move fails; the walk then stops there.
bool distribute(RecordStore &store, const QDir &folder, const QStringList &ownFiles,
                QStringList *refused, QString *error);

// Which records of a file are new. A record whose project number lies within 0.1 of a
// number in the table, or of a record taken earlier from the same file, is a duplicate.
struct AppendPlan
{
    struct Duplicate
    {
        QString number; // as it stands in the file
        int matchedRow; // the first row in table order within 0.1, counting the rows to
                        // append after the present ones
        int rowsBefore; // how many of the rows to append come before it in the file
    };
    QVector<SurveyRecord> rows;    // to append, in file order
    QVector<Duplicate> duplicates; // in file order
};
AppendPlan planAppend(const RecordStore &store, const QVector<SurveyRecord> &records);

} // namespace DataFiles
