#pragma once

#include <QDate>
#include <QString>

// The checks that entry fields run when they are left, and the texts they write.
namespace FieldChecks {

QString titleText(); // title of their message boxes

// The project number: exactly twelve characters.
bool projectNumberFormat(const QString &text);
QString projectNumberMessage();
QString duplicateNumberMessage();

// The e-mail address: an "@" somewhere from the second to the last but one character.
bool emailAddress(const QString &text);
QString emailMessage();

// The appraisal date JB82, read with the appraisal code JB81 and the start year JB63_1.
enum class Appraisal {
    Pass,
    Fail,
    NotAppraised, // JB81 reads 2: the date is not tested and the level JB83 is emptied
};
Appraisal appraisalDate(const QString &jb81, const QString &jb82, const QString &startYear);
QString appraisalMessage();

// The description's text without double quotation marks.
QString withoutQuotes(const QString &text);

// The fill-in date as ten characters, "YYYY-MM-DD".
QString fillInDate(const QDate &date);

} // namespace FieldChecks
