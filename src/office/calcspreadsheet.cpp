#include "calcspreadsheet.h"

#include "savefile.h"
#include "unosupport.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include <QFileInfo>

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

CellValue cellValueOf(const Any &any)
{
    double number = 0;
    if (any >>= number)
        return CellValue::fromNumber(number);
    OUString text;
    if ((any >>= text) && !text.isEmpty())
        return CellValue::fromText(uno::toQ(text));
    return CellValue();
}

// The cell's content as formula input: what the office reads back as exactly this value.
OUString formulaInput(const CellValue &value)
{
    switch (value.kind) {
    case CellValue::Kind::Number:
        return OUString::number(value.number);
    case CellValue::Kind::Text:
        return uno::toOU(QLatin1Char('\'') + value.string); // a text, never a formula or number
    case CellValue::Kind::Empty:
        break;
    }
    return OUString();
}

// A text cell that begins with "=" reads back like a formula; such cells (not formula cells)
// get the text mark "'" so that writing the rectangle back keeps them texts.
void quoteTextsLikeFormulas(const Reference<css::sheet::XCellRangeFormula> &range,
                            const CellBlock &block, Sequence<Sequence<OUString>> *rows)
{
    const Reference<css::sheet::XCellRangesQuery> query(range, UNO_QUERY_THROW);
    const Sequence<css::table::CellRangeAddress> formulaCells =
        query->queryContentCells(css::sheet::CellFlags::FORMULA)->getRangeAddresses();
    auto isFormula = [&](sal_Int32 row, sal_Int32 column) {
        for (const css::table::CellRangeAddress &a : formulaCells) {
            if (row >= a.StartRow && row <= a.EndRow && column >= a.StartColumn &&
                column <= a.EndColumn)
                return true;
        }
        return false;
    };
    auto *rowArray = rows->getArray();
    for (sal_Int32 r = 0; r < rows->getLength(); ++r) {
        auto *cells = rowArray[r].getArray();
        for (sal_Int32 c = 0; c < rowArray[r].getLength(); ++c) {
            const int row = block.top() + r;
            const int column = block.left() + c;
            if (!block.isWritten(row, column) && cells[c].startsWith("=") &&
                !isFormula(row - 1, column - 1))
                cells[c] = "'" + cells[c];
        }
    }
}

bool validPosition(int row, int column)
{
    return row >= 1 && column >= 1 && row <= 1048576 && column <= 1024;
}

} // namespace

struct CalcSpreadsheet::Impl
{
    explicit Impl(OfficeProcess &p) : process(p) {}

    OfficeProcess &process;
    Reference<css::lang::XComponent> document;
    Reference<css::sheet::XSpreadsheet> sheet;
    int generation = 0;

    OfficeStatus notOpen() const
    {
        return OfficeStatus::failure(QStringLiteral("没有打开的工作簿。"));
    }
    bool usable() const
    {
        return document.is() && generation == process.generation() && process.isRunning();
    }
    OfficeStatus load(const OUString &url, bool asTemplate);
    Reference<css::table::XCellRange> range(int top, int left, int bottom, int right) const
    {
        return sheet->getCellRangeByPosition(left - 1, top - 1, right - 1, bottom - 1);
    }
};

OfficeStatus CalcSpreadsheet::Impl::load(const OUString &url, bool asTemplate)
{
    const Reference<css::frame::XComponentLoader> loader(uno::desktop(process), UNO_QUERY_THROW);
    Reference<css::lang::XComponent> loaded = loader->loadComponentFromURL(
        url, OUString("_blank"), 0, uno::loadArguments(false, asTemplate, false));
    if (!loaded.is())
        return OfficeStatus::failure(QStringLiteral("打开工作簿失败：不是工作簿。"));
    const Reference<css::sheet::XSpreadsheetDocument> workbook(loaded, css::uno::UNO_QUERY);
    if (!workbook.is()) {
        uno::closeQuietly(loaded);
        return OfficeStatus::failure(QStringLiteral("打开工作簿失败：不是工作簿。"));
    }
    const Reference<css::container::XIndexAccess> sheets(workbook->getSheets(), UNO_QUERY_THROW);
    sheet.set(sheets->getByIndex(0), UNO_QUERY_THROW);
    document = loaded;
    generation = process.generation();
    return OfficeStatus::success();
}

CalcSpreadsheet::CalcSpreadsheet(OfficeProcess &process) : d(std::make_unique<Impl>(process)) {}

CalcSpreadsheet::~CalcSpreadsheet()
{
    close();
}

OfficeStatus CalcSpreadsheet::open(const QString &path)
{
    close();
    const QFileInfo file(path);
    if (!file.exists())
        return OfficeStatus::fileNotFound(path);
    if (!file.isReadable() || file.isDir())
        return OfficeStatus::permissionDenied(path);
    const QString what = QStringLiteral("打开工作簿“%1”").arg(file.fileName());
    return uno::call(d->process, what, [&]() {
        return uno::mapIoErrors(what, path, [&] { return d->load(uno::fileUrl(path), true); });
    });
}

OfficeStatus CalcSpreadsheet::createNew()
{
    close();
    return uno::call(d->process, QStringLiteral("新建工作簿"), [&]() -> OfficeStatus {
        OfficeStatus status = d->load(OUString("private:factory/scalc"), false);
        if (!status.ok())
            return status;
        // Keep the first sheet only.
        const Reference<css::sheet::XSpreadsheetDocument> workbook(d->document, UNO_QUERY_THROW);
        const Reference<css::sheet::XSpreadsheets> sheets = workbook->getSheets();
        const Sequence<OUString> names = sheets->getElementNames();
        for (sal_Int32 i = 1; i < names.getLength(); ++i)
            sheets->removeByName(names[i]);
        return status;
    });
}

bool CalcSpreadsheet::isOpen() const
{
    return d->usable();
}

OfficeStatus CalcSpreadsheet::readCell(int row, int column, CellValue *value)
{
    CellBlock block(row, column, 1, 1);
    const OfficeStatus status = readBlock(&block);
    if (status.ok() && value)
        *value = block.value(row, column);
    return status;
}

OfficeStatus CalcSpreadsheet::writeCell(int row, int column, const QString &text)
{
    if (!d->usable())
        return d->notOpen();
    if (!validPosition(row, column))
        return OfficeStatus::failure(QStringLiteral("单元格位置无效。"));
    return uno::call(d->process, QStringLiteral("写入单元格"), [&]() -> OfficeStatus {
        const Reference<css::table::XCell> cell = d->sheet->getCellByPosition(column - 1, row - 1);
        cell->setFormula(formulaInput(cellValueOfWrittenText(text)));
        return OfficeStatus::success();
    });
}

OfficeStatus CalcSpreadsheet::writeFormula(int row, int column, const QString &formula)
{
    if (!d->usable())
        return d->notOpen();
    if (!validPosition(row, column))
        return OfficeStatus::failure(QStringLiteral("单元格位置无效。"));
    return uno::call(d->process, QStringLiteral("写入公式"), [&]() -> OfficeStatus {
        d->sheet->getCellByPosition(column - 1, row - 1)->setFormula(uno::toOU(formula));
        return OfficeStatus::success();
    });
}

OfficeStatus CalcSpreadsheet::readBlock(CellBlock *block)
{
    if (!d->usable())
        return d->notOpen();
    if (!block->isValid() || !validPosition(block->bottom(), block->right()))
        return OfficeStatus::failure(QStringLiteral("单元格位置无效。"));
    return uno::call(d->process, QStringLiteral("读取单元格"), [&]() -> OfficeStatus {
        const Reference<css::sheet::XCellRangeData> data(
            d->range(block->top(), block->left(), block->bottom(), block->right()),
            UNO_QUERY_THROW);
        const Sequence<Sequence<Any>> rows = data->getDataArray();
        for (sal_Int32 r = 0; r < rows.getLength() && r < block->rows(); ++r) {
            const Sequence<Any> &cells = rows[r];
            for (sal_Int32 c = 0; c < cells.getLength() && c < block->columns(); ++c)
                block->setValue(block->top() + r, block->left() + c, cellValueOf(cells[c]));
        }
        return OfficeStatus::success();
    });
}

OfficeStatus CalcSpreadsheet::writeBlock(const CellBlock &block)
{
    if (!d->usable())
        return d->notOpen();
    if (!block.isValid() || !validPosition(block.bottom(), block.right()))
        return OfficeStatus::failure(QStringLiteral("单元格位置无效。"));
    if (block.writtenCount() == 0)
        return OfficeStatus::success();
    return uno::call(d->process, QStringLiteral("写入单元格"), [&]() -> OfficeStatus {
        // Read the rectangle as formula input and write it back with the marked cells
        // replaced: the other cells keep their formulas, numbers and texts.
        const Reference<css::sheet::XCellRangeFormula> formulas(
            d->range(block.top(), block.left(), block.bottom(), block.right()), UNO_QUERY_THROW);
        Sequence<Sequence<OUString>> rows = formulas->getFormulaArray();
        auto *rowArray = rows.getArray();
        bool textsLikeFormulas = false;
        for (sal_Int32 r = 0; r < rows.getLength() && r < block.rows(); ++r) {
            auto *cells = rowArray[r].getArray();
            for (sal_Int32 c = 0; c < rowArray[r].getLength() && c < block.columns(); ++c) {
                const int row = block.top() + r;
                const int column = block.left() + c;
                if (block.isWritten(row, column))
                    cells[c] = formulaInput(cellValueOfWrittenText(block.writtenText(row, column)));
                else if (cells[c].startsWith("="))
                    textsLikeFormulas = true;
            }
        }
        if (textsLikeFormulas)
            quoteTextsLikeFormulas(formulas, block, &rows);
        formulas->setFormulaArray(rows);
        return OfficeStatus::success();
    });
}

OfficeStatus CalcSpreadsheet::saveAs(const QString &path)
{
    if (!d->usable())
        return d->notOpen();
    SaveFile target(path);
    OfficeStatus status = target.prepare();
    if (!status.ok())
        return status;
    const QString what = QStringLiteral("保存工作簿“%1”").arg(QFileInfo(path).fileName());
    status = uno::call(d->process, what, [&]() {
        return uno::mapIoErrors(what, path, [&] {
            const Reference<css::frame::XStorable> storable(d->document, UNO_QUERY_THROW);
            storable->storeToURL(uno::fileUrl(target.temporaryPath()),
                                 uno::storeArguments("MS Excel 97"));
            return OfficeStatus::success();
        });
    });
    return status.ok() ? target.commit() : status;
}

OfficeStatus CalcSpreadsheet::close()
{
    if (!d->document.is())
        return OfficeStatus::success();
    if (d->usable() && d->process.isRunning()) {
        uno::call(
            d->process, QStringLiteral("关闭工作簿"),
            [&]() -> OfficeStatus {
                uno::closeQuietly(d->document);
                return OfficeStatus::success();
            },
            false);
    }
    d->sheet.clear();
    d->document.clear();
    return OfficeStatus::success();
}
