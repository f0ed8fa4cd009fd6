#include "summaryreadings.h"

#include "vbtext.h"

#include <cmath>

namespace SummaryReadings {

double wholePart(QStringView text)
{
    return std::floor(VbText::numericValue(text));
}

double halfEvenKey(QStringView text)
{
    const double value = VbText::numericValue(text);
    const double nearest = std::round(value); // a half goes away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2 * std::round(value / 2);
    return nearest;
}

double rawAmount(QStringView text)
{
    return VbText::numericValue(text);
}

} // namespace SummaryReadings
