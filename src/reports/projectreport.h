#pragma once

#include <QString>
#include <functional>

class RecordStore;
class SurveyRecord;
class WordApp;

// The report document of a project: a new word-processor document based on the report
// template in the program's folder, with the record's texts typed at the template's
// bookmarks (ReportBookmarks), stored as a .doc named by the project number in that folder.
// The template is only read. Nothing here shows a message: the outcome says what happened.
namespace ProjectReport {

QString templateFileName();
QString templatePath(const QString &folder);

// The report file of the project numbered `number`: the number as it stands followed by
// ".doc". Empty when the number cannot name a file of its own there: empty, holding "/", "\",
// ".." or NUL, or naming the template.
QString reportPath(const QString &folder, const QString &number);

// Whether the template can be used, found out without opening it (a FIFO there would hold
// the program until something wrote to it): Unusable, with the reason, when it is no regular
// file or cannot be read.
enum class TemplateState { Present, Missing, Unusable };
TemplateState probeTemplate(const QString &folder, QString *reason = nullptr);

struct Outcome
{
    enum class Kind { Made, TemplateMissing, Failed };
    Kind kind = Kind::Made;
    QString reason; // why it failed, for the message

    bool made() const { return kind == Kind::Made; }
};

// Makes the report of `record` through `word`: the document is filled in one call, stored
// (under a temporary name first, so a failure keeps an existing report of the project and
// leaves no half-written file), closed, and the word processor quit. After a failure the
// unfinished document is closed without saving and the word processor left as it is. A number
// that cannot name a file fails before the word processor is used.
Outcome GenerateProjectReport(WordApp &word, const QString &folder, const SurveyRecord &record);
// The same for the current row of `store`, each field as its box shows it
// (RecordStore::shownText): an edit not yet stored goes in as it was typed.
Outcome GenerateProjectReport(WordApp &word, const QString &folder, const RecordStore &store);

// The message of a failure (its reason goes into the message box's details), and its title.
QString failureText(const Outcome &outcome);
QString failureTitle();

struct WalkResult
{
    int count = 0; // records in the table when the walk began
    int made = 0;
    QString stopReason; // the store's reason when a row could not be stored and the walk stopped

    int notMade() const { return count - made; }
};

// The reports of every record from the first, in recordset order, each made afresh;
// `failed` hears of every failure as it happens, and the walk goes on. The walk leaves the
// recordset past its last row. An empty table makes nothing.
WalkResult generateAll(RecordStore &store, WordApp &word, const QString &folder,
                       const std::function<void(const Outcome &)> &failed);

} // namespace ProjectReport
