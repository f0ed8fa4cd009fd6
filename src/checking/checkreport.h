#pragma once

#include "checkrules.h"

#include <QString>

class RecordStore;
class SurveyRecord;

// The checking report: what "数据审核" and "项目审核" write into the report box, and the
// report's text file.
namespace CheckReport {

// " 审核结果" and CR LF: the heading of the report of every record.
QString allRecordsHeading();
// "项目", the project number, " 审核结果" and CR LF: the heading of one record's report.
QString recordHeading(const QString &projectNumber);
// The line written under the heading when there is no record to check.
QString nothingToCheckLine();

// Runs the four rule procedures on one record in their order.
void runAllRules(const SurveyRecord &record, CheckState &state);

enum class WalkResult {
    Done,
    NothingToCheck, // no record
    MoveFailed,     // a record could not be left (its pending edit was not stored)
};

// Checks every record from the first: clears `state`, and returns the whole report (heading,
// then the failure lines of every record in recordset order) in `report`. The recordset ends
// on its first record; the boxes are refreshed once, when the walk ends. On a failed move the
// report holds the lines gathered so far.
WalkResult checkAllRecords(RecordStore &store, CheckState &state, QString &report);

// The report of the current record: its heading, then its failure lines. `state` is cleared
// first; afterwards CheckError is 0 again and CheckMessage keeps the lines. Without a current
// record, the heading (with `shownNumber`) and the nothing-to-check line.
QString checkCurrentRecord(const RecordStore &store, const QString &shownNumber, CheckState &state);

// The bytes of the report's text file: the text, with every line ending as CR LF, followed
// by one more CR LF, in UTF-8.
QByteArray fileBytes(const QString &reportText);

// Writes the report's text file (complete or not at all). False, with the reason, when it
// cannot be written; an existing file is then kept as it was.
bool save(const QString &path, const QString &reportText, QString *error = nullptr);

} // namespace CheckReport
