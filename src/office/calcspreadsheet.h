#pragma once

#include "spreadsheet.h"

#include <memory>

class OfficeProcess;

// The spreadsheet application object over LibreOffice Calc. The workbook is opened as an
// untitled copy of its file, so the file is never changed or locked; saveAs writes a new file
// (under a temporary name first, renamed when complete). When the office ends while a workbook
// is open, every later read, write or store fails with OfficeStopped.
class CalcSpreadsheet : public Spreadsheet
{
public:
    // `process` must outlive this object; it is started by the first call that needs it.
    explicit CalcSpreadsheet(OfficeProcess &process);
    ~CalcSpreadsheet() override;

    OfficeStatus open(const QString &path) override;
    bool isOpen() const override;
    OfficeStatus readCell(int row, int column, CellValue *value) override;
    OfficeStatus writeCell(int row, int column, const QString &text) override;
    OfficeStatus readBlock(CellBlock *block) override;
    OfficeStatus writeBlock(const CellBlock &block,
                            QVector<PassedOverCell> *passedOver = nullptr) override;
    OfficeStatus saveAs(const QString &path) override;
    OfficeStatus close() override;

    // A new, empty workbook with one sheet, in place of an opened one: how workbooks are made
    // from nothing (test data, benchmark files).
    OfficeStatus createNew();
    // Writes a formula (in the office's English notation, "=SUM(A1:A3)") into one cell.
    OfficeStatus writeFormula(int row, int column, const QString &formula);

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};
