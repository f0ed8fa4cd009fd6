#pragma once

#include "summarydefinition.h"

#include <QStringList>

// The kinds of record step the summaries are made of; each is given its columns as data.
namespace RecordSteps {

// The whole part of each field into its column, the fields in consecutive columns from
// `firstColumn`.
std::shared_ptr<const RecordStep> wholeParts(int firstColumn, const QStringList &fields);

} // namespace RecordSteps
