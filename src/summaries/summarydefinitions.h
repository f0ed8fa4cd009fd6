#pragma once

#include "summarydefinition.h"

#include <QVector>

namespace SummaryDefinitions {

// The twelve summaries, in the order the summary command runs them.
const QVector<SummaryDefinition> &all();
// The summary of that name ("SumPapers"), or nullptr.
const SummaryDefinition *find(const QString &procedure);

} // namespace SummaryDefinitions
