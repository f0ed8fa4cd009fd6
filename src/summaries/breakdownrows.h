#pragma once

#include <QString>
#include <array>

class SurveyRecord;

// The plan categories that have a row in the plan-category band and a column pair in the
// by-plan summaries, in sheet order: 1100, 2101, 2102, 2201, 2300, 2400, 3400, 4100, 4200,
// 4300, 5100, 2105 (2105 last). The code-table item "2201-2203.科技成果转化" reads as 2201;
// 3400 and 4300 have no item.
namespace PlanCategories {

int count();
// The position (0 for 1100 .. 11 for 2105) of a code, -1 for any other code.
int indexOf(double code);

} // namespace PlanCategories

// For one record, at most one sheet row in each of the five bands, taken from the band's coded
// field (its stored text, read as the whole part of its leading number):
// - unit nature `JB25`: a code of the table but 99 gives row code + 1 (2..11); any other code
//   (99, empty, a code outside the table) row 12;
// - region `JB22`: 730881 gives row 33; any other code row 15 + d, d being the third and fourth
//   digits of a six-digit code (empty and shorter codes give d = 0); a d that no code of the
//   table has (18..99) gives no row, so it never lands in another band's rows;
// - plan category `JB61`: the twelve plan categories give rows 38..49 in their order; any
//   other code no row;
// - technical field `JB62`: a code of the table (11..23) gives row code + 42; any other no row;
// - competent unit `JB26`: a code of the table but 99 gives row code + 68 (69..148); any other
//   code row 149.
// With the codes of the tables the bands keep to rows of their own.
class BreakdownRows
{
public:
    enum Band { UnitNature, Region, PlanCategory, TechnicalField, CompetentUnit, BandCount };
    static constexpr int NoRow = 0;

    static BreakdownRows of(const SurveyRecord &record);
    // The field a band reads, e.g. "JB25".
    static QString field(Band band);
    // The row the band gives the code text, or NoRow.
    static int rowOf(Band band, QStringView codeText);

    int row(Band band) const { return m_rows[band]; }

private:
    std::array<int, BandCount> m_rows{};
};
