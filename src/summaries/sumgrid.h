#pragma once

#include <vector>

class BreakdownRows;

// The totals of one summary run, indexed directly by sheet row (0..201) and sheet column
// (0..width - 1), all 0 at the start. Sums are kept in double: no cell stops at a 16-bit bound
// or rounds to single precision.
class SumGrid
{
public:
    static constexpr int Rows = 202;

    explicit SumGrid(int width);

    int width() const { return m_width; }
    double at(int row, int column) const;
    // Adds `value` into the cell; a cell outside the grid takes nothing, and a sum that is no
    // longer a finite number leaves the cell as it was.
    void add(int row, int column, double value);

private:
    bool contains(int row, int column) const;

    int m_width;
    std::vector<double> m_cells;
};

// Adds `value` into `column` at the record's row of every band that gives it one, band by band.
void AddToBands(SumGrid &grid, const BreakdownRows &rows, int column, double value);
