#include "personcolumns.h"

namespace {

struct Block
{
    const char *fieldStem;
    int firstColumn;
};

// Indexed by attribute.
const Block kBlocks[] = {{"JB42", 3}, {"JB45", 9}, {"JB46", 5}, {"JB43", 13}};

constexpr double kSexThreshold = 2;
constexpr int kLatestBand = 1980; // and later: the block's first column
constexpr int kEarliestBand = 1950;
constexpr int kBandYears = 5;
constexpr int kBirthYearBands = 8;

// Codes 1..3 take the block's first three columns; any other value the fourth.
int codedColumn(int firstColumn, double key)
{
    return key == 1 || key == 2 || key == 3 ? firstColumn + int(key) - 1 : firstColumn + 3;
}

int birthYearColumn(int firstColumn, double year)
{
    if (year >= kLatestBand)
        return firstColumn;
    if (year < kEarliestBand)
        return firstColumn + kBirthYearBands - 1;
    return firstColumn + 1 + (kLatestBand - 1 - int(year)) / kBandYears;
}

} // namespace

namespace PersonColumns {

QString field(Attribute attribute, int person)
{
    return QString::fromLatin1(kBlocks[attribute].fieldStem) + QString::number(person);
}

int column(Attribute attribute, double key)
{
    const int first = kBlocks[attribute].firstColumn;
    switch (attribute) {
    case Sex:
        return key < kSexThreshold ? first : first + 1;
    case Degree:
    case Title:
        return codedColumn(first, key);
    case BirthYear:
        return birthYearColumn(first, key);
    case AttributeCount:
        break;
    }
    return 0;
}

} // namespace PersonColumns
