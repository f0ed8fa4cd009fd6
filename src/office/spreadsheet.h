#pragma once

#include "cellblock.h"
#include "officestatus.h"

#include <QString>

// One spreadsheet application object of one run: it opens one workbook, hidden, and works on
// its first sheet. Each call blocks until done and reports failure by its status; after a
// failed open every later call fails too. Rows and columns count from 1.
class Spreadsheet
{
public:
    virtual ~Spreadsheet() = default;

    // Opens the workbook at `path` hidden, with sheet 1 (by position) current. The file itself
    // is only read: it is neither changed nor locked. Anything but a regular file that holds a
    // workbook (a text, a page, a pipe, a folder) is refused.
    virtual OfficeStatus open(const QString &path) = 0;
    virtual bool isOpen() const = 0;

    virtual OfficeStatus readCell(int row, int column, CellValue *value) = 0;
    // Writes one cell (see cellValueOfWrittenText for what the text becomes), as writeBlock
    // writes it: a cell of an array formula is passed over.
    virtual OfficeStatus writeCell(int row, int column, const QString &text) = 0;
    // Reads every cell of the block's rectangle into it, in one call.
    virtual OfficeStatus readBlock(CellBlock *block) = 0;
    // Writes the cells marked in the block, in one call, and nothing else: every other cell of
    // the sheet keeps its value, formula, note, link and format. A marked cell that is part of
    // an array formula is passed over, so that the array keeps its formula and its values over
    // its whole range; so is a cell whose value the sheet refuses. The cells passed over go
    // into `passedOver` (when given), from top to bottom and left to right; the write still
    // succeeds. The locked cells of a protected sheet are written like any other (the
    // protection guards the user's edits), and the sheet stays protected.
    virtual OfficeStatus writeBlock(const CellBlock &block,
                                    QVector<PassedOverCell> *passedOver = nullptr) = 0;

    // Stores the workbook as an .xls file ("MS Excel 97") at `path`, replacing a file of that
    // name without a question. The opened file stays as it was.
    virtual OfficeStatus saveAs(const QString &path) = 0;
    // Closes the workbook without a question; closing when nothing is open does nothing.
    virtual OfficeStatus close() = 0;
};
