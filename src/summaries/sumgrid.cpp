#include "sumgrid.h"

#include "breakdownrows.h"

#include <cmath>

SumGrid::SumGrid(int width) : m_width(width), m_cells(size_t(Rows) * size_t(width), 0.0) {}

bool SumGrid::contains(int row, int column) const
{
    return row >= 0 && row < Rows && column >= 0 && column < m_width;
}

double SumGrid::at(int row, int column) const
{
    return contains(row, column) ? m_cells[size_t(row) * size_t(m_width) + size_t(column)] : 0;
}

void SumGrid::add(int row, int column, double value)
{
    if (!contains(row, column))
        return;
    double &cell = m_cells[size_t(row) * size_t(m_width) + size_t(column)];
    const double sum = cell + value;
    if (std::isfinite(sum))
        cell = sum;
}

void AddToBands(SumGrid &grid, const BreakdownRows &rows, int column, double value)
{
    for (int band = 0; band < BreakdownRows::BandCount; ++band) {
        const int row = rows.row(BreakdownRows::Band(band));
        if (row != BreakdownRows::NoRow)
            grid.add(row, column, value);
    }
}
