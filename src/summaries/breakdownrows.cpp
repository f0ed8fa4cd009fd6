#include "breakdownrows.h"

#include "codetables.h"
#include "summaryreadings.h"
#include "surveyrecord.h"
#include "vbtext.h"

#include <QSet>
#include <cmath>
#include <iterator>

namespace {

constexpr int kOtherCode = 99; // the "其他" item of the unit-nature and competent-unit tables
constexpr int kUnitNatureOtherRow = 12;
constexpr int kRegionBaseRow = 15;
constexpr double kSpecialRegion = 730881;
constexpr int kSpecialRegionRow = 33;
constexpr int kPlanFirstRow = 38;
constexpr int kTechnicalFieldOffset = 42;
constexpr int kCompetentUnitOffset = 68;
constexpr int kCompetentUnitOtherRow = 149;

const double kPlanCodes[] = {1100, 2101, 2102, 2201, 2300, 2400,
                             3400, 4100, 4200, 4300, 5100, 2105};

const char *const kBandFields[] = {"JB25", "JB22", "JB61", "JB62", "JB26"};

// The codes of a code table, as a band reads them from the items a pick writes.
QSet<int> tableCodes(const char *pickerName)
{
    QSet<int> codes;
    const CodePickerSpec *picker = CodeTables::picker(QString::fromLatin1(pickerName));
    for (const QString &item : picker->items)
        codes.insert(int(SummaryReadings::wholePart(picker->pickedText(item))));
    return codes;
}

// The region number d of a code: characters 4 and 5 of its number text (" 730501" gives 05).
// Below 10,000,000 the text is a sign place and the digits, so d is the third and fourth digit.
int regionDigits(double code)
{
    const double size = std::fabs(code);
    if (size >= 1e7)
        return int(SummaryReadings::wholePart(VbText::numberTextSingle(float(code)).mid(3, 2)));
    int digits = int(size);
    int count = 1;
    for (int rest = digits; rest >= 10; rest /= 10)
        ++count;
    if (count < 3)
        return 0;
    if (count == 3)
        return digits % 10;
    for (int i = 4; i < count; ++i)
        digits /= 10;
    return digits % 100;
}

struct CodeSets
{
    QSet<int> unitNature = tableCodes("ComboJB25_JB52_JB54");
    QSet<int> technicalField = tableCodes("ComboJB62");
    QSet<int> competentUnit = tableCodes("ComboJB26");
    QSet<int> regionDigitSet;

    CodeSets()
    {
        regionDigitSet.insert(0); // an empty region field
        for (int code : tableCodes("ComboJB22")) {
            if (code != kSpecialRegion)
                regionDigitSet.insert(regionDigits(code));
        }
    }
    static const CodeSets &instance()
    {
        static const CodeSets sets;
        return sets;
    }
};

// A code of `table` other than 99, as a whole number; -1 when it is none.
int tableCode(const QSet<int> &table, double code)
{
    if (code < 0 || code > 1e9 || code == kOtherCode)
        return -1;
    return table.contains(int(code)) ? int(code) : -1;
}

int regionRow(double code)
{
    if (code == kSpecialRegion)
        return kSpecialRegionRow;
    const int d = regionDigits(code);
    return CodeSets::instance().regionDigitSet.contains(d) ? kRegionBaseRow + d
                                                           : BreakdownRows::NoRow;
}

} // namespace

namespace PlanCategories {

int count()
{
    return int(std::size(kPlanCodes));
}

int indexOf(double code)
{
    for (int i = 0; i < count(); ++i) {
        if (kPlanCodes[i] == code)
            return i;
    }
    return -1;
}

} // namespace PlanCategories

QString BreakdownRows::field(Band band)
{
    return QString::fromLatin1(kBandFields[band]);
}

int BreakdownRows::rowOf(Band band, QStringView codeText)
{
    const double code = SummaryReadings::wholePart(codeText);
    const CodeSets &sets = CodeSets::instance();
    switch (band) {
    case UnitNature: {
        const int c = tableCode(sets.unitNature, code);
        return c < 0 ? kUnitNatureOtherRow : c + 1;
    }
    case Region:
        return regionRow(code);
    case PlanCategory: {
        const int i = PlanCategories::indexOf(code);
        return i < 0 ? NoRow : kPlanFirstRow + i;
    }
    case TechnicalField: {
        const int c = tableCode(sets.technicalField, code);
        return c < 0 ? NoRow : c + kTechnicalFieldOffset;
    }
    case CompetentUnit: {
        const int c = tableCode(sets.competentUnit, code);
        return c < 0 ? kCompetentUnitOtherRow : c + kCompetentUnitOffset;
    }
    case BandCount:
        break;
    }
    return NoRow;
}

BreakdownRows BreakdownRows::of(const SurveyRecord &record)
{
    static const std::array<int, BandCount> columns = [] {
        std::array<int, BandCount> out{};
        for (int b = 0; b < BandCount; ++b)
            out[b] = RecordColumns::indexOf(field(Band(b)));
        return out;
    }();
    BreakdownRows rows;
    for (int b = 0; b < BandCount; ++b)
        rows.m_rows[b] = rowOf(Band(b), record.value(columns[b]));
    return rows;
}
