#pragma once

#include <QStringView>

// The three ways a summary turns a field's text into a value. Each starts from the numeric
// reading of the stored text (the leading number; empty or non-numeric text reads as 0), never
// from what a number box shows. A number beyond the double range reads as no number (NaN),
// which adds nothing to any sum and picks no column.
namespace SummaryReadings {

// Rounded down to a whole number: "2.9" gives 2, "-2.5" gives -3. Band codes, amounts and
// people counts.
double wholePart(QStringView text);

// Rounded to the nearest whole number, a half going to the even neighbour ("2.5" gives 2,
// "3.5" gives 4): the keys that pick a column. A key of any size is read as the number it is.
double halfEvenKey(QStringView text);

// The reading as it is, fraction included: the amounts of the by-plan summaries.
double rawAmount(QStringView text);

} // namespace SummaryReadings
