#pragma once

#include "summarydefinition.h"

#include <QStringList>
#include <QStringView>
#include <initializer_list>

// The kinds of record step the summaries are made of; each is given its columns as data.
namespace RecordSteps {

// Picks a column from a key field's text; NoColumn when the text picks none.
using ColumnOfText = int (*)(QStringView text);
constexpr int NoColumn = -1;

// The whole part of each field into its column, the fields in consecutive columns from
// `firstColumn`.
std::shared_ptr<const RecordStep> wholeParts(int firstColumn, const QStringList &fields);

// A count of 1 in the column that the key field's text picks.
std::shared_ptr<const RecordStep> keyedCount(const QString &keyField, ColumnOfText columnOf);

// For the plan category of the record (the half-even key of `JB61`), its column pair: a count
// of 1 and the raw amount of `amountField`. The pairs follow the plan categories' order from
// `firstColumn`; a record of any other category adds nothing.
std::shared_ptr<const RecordStep> planPairs(int firstColumn, const QString &amountField);

// Each person (1..3) counted once in every block of PersonColumns.
std::shared_ptr<const RecordStep> personCounts(std::initializer_list<int> persons);

} // namespace RecordSteps
