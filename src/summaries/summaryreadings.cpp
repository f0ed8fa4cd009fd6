#include "summaryreadings.h"

#include "vbtext.h"

#include <cmath>
#include <limits>

namespace {

// The numeric reading, where a number beyond the double range (which the reading holds at the
// largest double) is no number: the addition it would feed fails and adds nothing.
double reading(QStringView text)
{
    const double value = VbText::numericValue(text);
    return std::fabs(value) == std::numeric_limits<double>::max()
               ? std::numeric_limits<double>::quiet_NaN()
               : value;
}

} // namespace

namespace SummaryReadings {

double wholePart(QStringView text)
{
    return std::floor(reading(text));
}

double halfEvenKey(QStringView text)
{
    const double value = reading(text);
    const double nearest = std::round(value); // a half goes away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2 * std::round(value / 2);
    return nearest;
}

double rawAmount(QStringView text)
{
    return reading(text);
}

} // namespace SummaryReadings
