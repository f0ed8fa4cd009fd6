#pragma once

#include <QString>
#include <QStringView>

// How the survey program reads and writes numbers held as text. Every comparison or sum of a
// field value goes through numericValue(); every number written into a report or a workbook
// cell goes through numberText().
namespace VbText {

// The leading number of a text: blanks, tabs and line feeds are dropped wherever they stand,
// then an optional sign, digits with at most one ".", and an optional exponent are read from
// the start. No number at the start gives 0. "." is the decimal point whatever the locale.
// A number too large for a double saturates at the largest double of its sign.
double numericValue(QStringView text);

// Decimal text with one leading blank when the value is not negative (" 12", "-5", " 1.5"):
// at most 15 significant digits, exponent form ("1E+15") from 1E15 on.
QString numberText(double value);

// The same for a single-precision total: at most 7 significant digits, exponent form from
// 10,000,000 on (" 1E+07", " 1.234568E+07").
QString numberTextSingle(float value);

// A bound number box shows its value through the whole-number format "0": a text that is
// a number is shown rounded half away from zero, in full digits at every size, without
// separators; any other text as it is.
QString wholeNumberDisplay(const QString &stored);

// True when the whole text (surrounding blanks aside) is a decimal number.
bool isNumber(QStringView text);

} // namespace VbText
