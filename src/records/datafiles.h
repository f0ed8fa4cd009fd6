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

// True when `path` names the store's own database file.
bool isDatabaseFile(const RecordStore &store, const QString &path);

// The current record into a file of its own (empty values as " ").
bool writeCurrent(RecordStore &store, const QString &path, QString *error);

// Every record from the first into one file (empty values as " "). The walk leaves the
// recordset past its last row. An empty table fails.
bool writeAll(RecordStore &store, const QString &path, QString *error);

// A project number that can name a file of its own: not empty, no "/", "\", ".." or NUL.
bool isSafeFileStem(const QString &number);

// One file per record, named by its project number with ".kj" appended, in `folder`
// (empty values as "."). A record whose number cannot name a file is passed over and its
// number is added to `refused`. The walk leaves the recordset past its last row. False when
// the table is empty or a file or move fails; the walk then stops there.
bool distribute(RecordStore &store, const QDir &folder, QStringList *refused, QString *error);

// Which records of a file are new. A record whose project number lies within 0.1 of a
// number in the table, or of a record taken earlier from the same file, is a duplicate.
struct AppendPlan
{
    QVector<SurveyRecord> rows; // to append, in file order
    QStringList duplicates;     // the numbers as they stand in the file, in file order
    // When the file's last record is a duplicate: the row (table index, counting the rows
    // to append after the present ones) whose number it matched; else -1.
    int lastMatchedRow = -1;
};
AppendPlan planAppend(const RecordStore &store, const QVector<SurveyRecord> &records);

} // namespace DataFiles
