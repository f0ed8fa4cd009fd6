#pragma once

#include <QString>
#include <QVector>

// What a spreadsheet cell holds: nothing, a number or a text (a formula shows its result).
struct CellValue
{
    enum class Kind { Empty, Number, Text };

    Kind kind = Kind::Empty;
    double number = 0;
    QString string;

    static CellValue fromNumber(double value) { return {Kind::Number, value, QString()}; }
    static CellValue fromText(const QString &text) { return {Kind::Text, 0, text}; }

    bool isEmpty() const { return kind == Kind::Empty; }
    // The value as text: empty text for an empty cell, a number in general format ("12.5",
    // "2011010001", "1E+20").
    QString text() const;
    // The value as a number: 0 for an empty cell; a text counts when it reads as a number
    // (blanks around it allowed, "." as the decimal point), otherwise *ok is false.
    double toNumber(bool *ok = nullptr) const;

    bool operator==(const CellValue &other) const;
    bool operator!=(const CellValue &other) const { return !(*this == other); }
};

// How a text written into a cell becomes its value: a text that reads as a plain decimal
// number (blanks around it allowed, as in " 12") becomes that number; any other text is stored
// as it stands, never read as a formula or a date.
CellValue cellValueOfWrittenText(const QString &text);

// A cell's name on the sheet: its column's letters and its row ("H2", "AA10").
QString cellName(int row, int column);

// A cell a write passed over, and why.
struct PassedOverCell
{
    enum class Reason {
        ArrayFormula, // part of an array formula, which is written as a whole or not at all
        Refused,      // the sheet refused the value
    };

    int row = 0;
    int column = 0;
    Reason reason = Reason::Refused;

    bool operator==(const PassedOverCell &other) const
    {
        return row == other.row && column == other.column && reason == other.reason;
    }
};

// A rectangle of sheet cells: rows and columns from 1.
struct CellRect
{
    int top = 1;
    int left = 1;
    int rows = 0;
    int columns = 0;

    bool operator==(const CellRect &other) const
    {
        return top == other.top && left == other.left && rows == other.rows &&
               columns == other.columns;
    }
};

// A rectangle of one sheet in sheet coordinates (rows and columns from 1): what was read from
// it, and the cells to write into it. Writing a block changes only the cells set with setText;
// the others keep what the sheet holds (numbers, texts, formulas).
class CellBlock
{
public:
    CellBlock() = default;
    CellBlock(int top, int left, int rows, int columns);

    int top() const { return m_top; }
    int left() const { return m_left; }
    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int bottom() const { return m_top + m_rows - 1; }
    int right() const { return m_left + m_columns - 1; }
    bool isValid() const { return m_top >= 1 && m_left >= 1 && m_rows > 0 && m_columns > 0; }
    bool contains(int row, int column) const;

    // What the sheet held when the block was read (empty before).
    const CellValue &value(int row, int column) const;
    void setValue(int row, int column, const CellValue &value);

    // Marks a cell to be written with a text (see cellValueOfWrittenText).
    void setText(int row, int column, const QString &text);
    bool isWritten(int row, int column) const;
    QString writtenText(int row, int column) const;
    int writtenCount() const { return m_writtenCount; }
    // The written cells as rectangles that hold written cells only, from top to bottom: each
    // row's runs of adjacent written cells, a run joined with the one of the same columns in
    // the row above. Dense sheets give a few rectangles, so the cells go in a few writes.
    QVector<CellRect> writtenRects() const;

private:
    int index(int row, int column) const;

    int m_top = 1;
    int m_left = 1;
    int m_rows = 0;
    int m_columns = 0;
    int m_writtenCount = 0;
    QVector<CellValue> m_values;
    QVector<QString> m_texts;
    QVector<bool> m_written;
};
