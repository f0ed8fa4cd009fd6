#include "calcspreadsheet.h"

#include "basicroutine.h"
#include "loadinteraction.h"
#include "unosupport.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

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

// Writes rectangles of cells into one sheet: rectangle i has its top-left cell at
// (aTops(i), aLefts(i)) (from 0), aHeights(i) rows and aWidths(i) columns, and its values stand
// in aValues row by row, after those of the rectangles before it. Nothing else of the sheet is
// touched. A rectangle goes in as one array, unless it crosses an array formula, the sheet has
// notes (an array write drops the notes of the cells it writes) or the sheet refuses the array
// (a protected sheet does): then its cells go in one by one. A cell that is part of an array
// formula is passed over: the sheet takes a value into the array's first cell alone, which
// ends the array and leaves its other cells pointing at that one. A locked cell of a protected
// sheet is written alone like any other; a cell the sheet refuses is passed over. Returns the
// cells passed over, three numbers each: row, column (from 0) and why (1: part of an array
// formula, 2: refused). Errors are caught here: an office with a display would show them in a
// dialog. Rows keep the heights the workbook gave them, and the writes keep no undo record:
// without both, the office spends most of the time on them.
const char kPutCellsSource[] = R"basic(
Function PutCells(oDocument As Object, oSheet As Object, aTops As Variant, aLefts As Variant, _
        aHeights As Variant, aWidths As Variant, aValues As Variant) As Variant
    Dim aPassed As Variant, aArea(3) As Long, aInArray As Variant, i As Long, k As Long
    Dim bEach As Boolean, bUndo As Boolean
    aPassed = Array()
    aArea(0) = aTops(0) : aArea(1) = aLefts(0) : aArea(2) = aTops(0) : aArea(3) = aLefts(0)
    For i = LBound(aTops) To UBound(aTops)
        If aTops(i) < aArea(0) Then aArea(0) = aTops(i)
        If aLefts(i) < aArea(1) Then aArea(1) = aLefts(i)
        If aTops(i) + aHeights(i) - 1 > aArea(2) Then aArea(2) = aTops(i) + aHeights(i) - 1
        If aLefts(i) + aWidths(i) - 1 > aArea(3) Then aArea(3) = aLefts(i) + aWidths(i) - 1
    Next i
    aInArray = ArrayCells(oSheet, aArea)
    bEach = oSheet.getAnnotations().getCount() > 0
    bUndo = oDocument.IsUndoEnabled
    oDocument.IsUndoEnabled = False
    oDocument.IsAdjustHeightEnabled = False
    oDocument.lockControllers()
    For i = LBound(aTops) To UBound(aTops)
        If bEach Or Crosses(aInArray, aArea, aTops(i), aLefts(i), aHeights(i), aWidths(i)) Then
            PutEach(oSheet, aTops(i), aLefts(i), aHeights(i), aWidths(i), aValues, k, aInArray, aArea, aPassed)
        ElseIf Not PutArray(oSheet, aTops(i), aLefts(i), aHeights(i), aWidths(i), aValues, k) Then
            PutEach(oSheet, aTops(i), aLefts(i), aHeights(i), aWidths(i), aValues, k, aInArray, aArea, aPassed)
        End If
        k = k + aHeights(i) * aWidths(i)
    Next i
    oDocument.unlockControllers()
    oDocument.IsUndoEnabled = bUndo
    PutCells = aPassed
End Function

' The cells of the area (top, left, bottom, right) that are part of an array formula, marked row
' by row; Empty when there are none.
Function ArrayCells(oSheet As Object, aArea As Variant) As Variant
    Dim oFormulas As Object, aAddresses As Variant, aMarks() As Boolean, bAny As Boolean
    Dim nWidth As Long, j As Long, r As Long, c As Long
    oFormulas = oSheet.getCellRangeByPosition(aArea(1), aArea(0), aArea(3), aArea(2)) _
        .queryContentCells(com.sun.star.sheet.CellFlags.FORMULA)
    If oFormulas.getCount() = 0 Then Exit Function
    nWidth = aArea(3) - aArea(1) + 1
    ReDim aMarks((aArea(2) - aArea(0) + 1) * nWidth - 1)
    aAddresses = oFormulas.getRangeAddresses()
    For j = LBound(aAddresses) To UBound(aAddresses)
        For r = aAddresses(j).StartRow To aAddresses(j).EndRow
            For c = aAddresses(j).StartColumn To aAddresses(j).EndColumn
                If oSheet.getCellRangeByPosition(c, r, c, r).getArrayFormula() <> "" Then
                    aMarks((r - aArea(0)) * nWidth + c - aArea(1)) = True
                    bAny = True
                End If
            Next c
        Next r
    Next j
    If bAny Then ArrayCells = aMarks
End Function

Function InArray(aInArray As Variant, aArea As Variant, ByVal nRow As Long, ByVal nColumn As Long) As Boolean
    If IsArray(aInArray) Then
        InArray = aInArray((nRow - aArea(0)) * (aArea(3) - aArea(1) + 1) + nColumn - aArea(1))
    End If
End Function

Function Crosses(aInArray As Variant, aArea As Variant, ByVal nTop As Long, ByVal nLeft As Long, _
        ByVal nHeight As Long, ByVal nWidth As Long) As Boolean
    Dim r As Long, c As Long
    If Not IsArray(aInArray) Then Exit Function
    For r = nTop To nTop + nHeight - 1
        For c = nLeft To nLeft + nWidth - 1
            If InArray(aInArray, aArea, r, c) Then
                Crosses = True
                Exit Function
            End If
        Next c
    Next r
End Function

Function PutArray(oSheet As Object, ByVal nTop As Long, ByVal nLeft As Long, ByVal nHeight As Long, _
        ByVal nWidth As Long, aValues As Variant, ByVal k As Long) As Boolean
    Dim aRows(nHeight - 1) As Variant, aLine() As Variant, r As Long, c As Long
    On Error GoTo Refused
    For r = 0 To nHeight - 1
        ReDim aLine(nWidth - 1)
        For c = 0 To nWidth - 1
            aLine(c) = aValues(k)
            k = k + 1
        Next c
        aRows(r) = aLine
    Next r
    oSheet.getCellRangeByPosition(nLeft, nTop, nLeft + nWidth - 1, nTop + nHeight - 1).setDataArray(aRows)
    PutArray = True
    Exit Function
Refused:
    PutArray = False
End Function

Sub PutEach(oSheet As Object, ByVal nTop As Long, ByVal nLeft As Long, ByVal nHeight As Long, _
        ByVal nWidth As Long, aValues As Variant, ByVal k As Long, aInArray As Variant, _
        aArea As Variant, aPassed As Variant)
    Dim r As Long, c As Long
    For r = nTop To nTop + nHeight - 1
        For c = nLeft To nLeft + nWidth - 1
            If InArray(aInArray, aArea, r, c) Then
                Pass(aPassed, r, c, 1)
            ElseIf Not PutCell(oSheet, r, c, aValues(k)) Then
                Pass(aPassed, r, c, 2)
            End If
            k = k + 1
        Next c
    Next r
End Sub

Sub Pass(aPassed As Variant, ByVal nRow As Long, ByVal nColumn As Long, ByVal nWhy As Long)
    Dim n As Long
    n = UBound(aPassed) + 1
    ReDim Preserve aPassed(n + 2)
    aPassed(n) = nRow
    aPassed(n + 1) = nColumn
    aPassed(n + 2) = nWhy
End Sub

Function PutCell(oSheet As Object, ByVal nRow As Long, ByVal nColumn As Long, vValue As Variant) As Boolean
    On Error GoTo Refused
    If VarType(vValue) = 8 Then
        oSheet.getCellByPosition(nColumn, nRow).setString(vValue)
    Else
        oSheet.getCellByPosition(nColumn, nRow).setValue(vValue)
    End If
    PutCell = True
    Exit Function
Refused:
    PutCell = False
End Function
)basic";

const BasicRoutine kPutCells("WobzelCells", "Cells", "PutCells", kPutCellsSource);

// The value a written text gives the cell: a number, or a text as it stands.
Any cellInput(const QString &text)
{
    const CellValue value = cellValueOfWrittenText(text);
    if (value.kind == CellValue::Kind::Number)
        return Any(value.number);
    return Any(uno::toOU(value.string));
}

// The cells PutCells passed over, from its three numbers a cell (an array of numbers, or of
// nothing when there are none), in sheet order.
QVector<PassedOverCell> passedOverCells(const Any &passed)
{
    Sequence<sal_Int32> numbers;
    passed >>= numbers;
    QVector<PassedOverCell> cells;
    for (sal_Int32 i = 0; i + 2 < numbers.getLength(); i += 3) {
        cells.append({numbers[i] + 1, numbers[i + 1] + 1,
                      numbers[i + 2] == 1 ? PassedOverCell::Reason::ArrayFormula
                                          : PassedOverCell::Reason::Refused});
    }
    std::sort(cells.begin(), cells.end(), [](const PassedOverCell &a, const PassedOverCell &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return cells;
}

// The office's types of workbook files: the spreadsheet program's own binary and XML formats
// and the open document ones. Text, web-page and database imports are no workbooks.
bool isWorkbookType(const QString &type)
{
    static const QStringList kTypes = {
        QStringLiteral("calc8"),
        QStringLiteral("calc8_template"),
        QStringLiteral("calc_ODS_FlatXML"),
        QStringLiteral("calc_StarOffice_XML_Calc"),
        QStringLiteral("calc_StarOffice_XML_Calc_Template"),
        QStringLiteral("MS Excel 2007 XML"),
        QStringLiteral("MS Excel 2007 XML Template"),
        QStringLiteral("MS Excel 2007 VBA XML"),
        QStringLiteral("MS Excel 2007 Binary"),
        QStringLiteral("Office Open XML Spreadsheet"),
        QStringLiteral("Office Open XML Spreadsheet Template"),
    };
    return type.startsWith(QLatin1String("calc_MS_Excel_")) || kTypes.contains(type);
}

// Whether the office would take the file for text: what it does with anything it cannot
// place as a document of a kind of its own.
bool readsAsText(const QString &type, const QString &filter)
{
    return type.isEmpty() || type == QLatin1String("generic_Text") ||
           filter.startsWith(QLatin1String("Text"));
}

void appendArgument(Sequence<css::beans::PropertyValue> *arguments,
                    const css::beans::PropertyValue &argument)
{
    arguments->realloc(arguments->getLength() + 1);
    arguments->getArray()[arguments->getLength() - 1] = argument;
}

QString filterOf(const Sequence<css::beans::PropertyValue> &arguments)
{
    OUString filter;
    for (const css::beans::PropertyValue &p : arguments) {
        if (p.Name == "FilterName")
            p.Value >>= filter;
    }
    return uno::toQ(filter);
}

// A workbook the office found to be one, and failed to load.
OfficeStatus cannotOpen(const QString &what, bool passwordAsked)
{
    return OfficeStatus::failure(
        QStringLiteral("%1失败：%2")
            .arg(what, passwordAsked ? QStringLiteral("工作簿有密码保护，无法打开。")
                                     : QStringLiteral("工作簿已损坏或无法读取，无法打开。")));
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

    // A call without an open workbook: none was opened, or the office that held it has ended
    // since (its workbook went with it), which is the office's failure, not the workbook's.
    OfficeStatus notOpen() const
    {
        if (document.is())
            return {OfficeStatus::OfficeStopped,
                    QStringLiteral("办公软件已退出，打开的工作簿随之关闭。")};
        return OfficeStatus::failure(QStringLiteral("没有打开的工作簿。"));
    }
    bool usable() const
    {
        return document.is() && generation == process.generation() && process.isRunning();
    }
    OfficeStatus load(const OUString &url, bool asTemplate, const QString &what);
    QString workbookType(const OUString &url, Sequence<css::beans::PropertyValue> *arguments) const;
    OfficeStatus notAWorkbook(const QString &what, const QString &type,
                              const QString &filter) const;
    QString displayName(const char *service, const QString &name) const;
    Reference<css::uno::XInterface> officeService(const char *service) const;
    Reference<css::table::XCellRange> range(int top, int left, int bottom, int right) const
    {
        return sheet->getCellRangeByPosition(left - 1, top - 1, right - 1, bottom - 1);
    }
};

OfficeStatus CalcSpreadsheet::Impl::load(const OUString &url, bool asTemplate, const QString &what)
{
    Sequence<css::beans::PropertyValue> arguments = uno::loadArguments(false, asTemplate, false);
    if (asTemplate) {
        // A file is opened only as the workbook it is: never through a text or page import,
        // which takes any bytes for a sheet.
        const QString type = workbookType(url, &arguments);
        if (!isWorkbookType(type))
            return notAWorkbook(what, type, filterOf(arguments));
    }
    bool passwordAsked = false;
    const Reference<css::lang::XComponent> loaded =
        loadQuietly(process, url, arguments, &passwordAsked);
    if (!loaded.is())
        return cannotOpen(what, passwordAsked);
    const Reference<css::sheet::XSpreadsheetDocument> workbook(loaded, css::uno::UNO_QUERY);
    if (!workbook.is()) {
        uno::closeQuietly(loaded);
        return notAWorkbook(what, QString(), QString());
    }
    const Reference<css::container::XIndexAccess> sheets(workbook->getSheets(), UNO_QUERY_THROW);
    sheet.set(sheets->getByIndex(0), UNO_QUERY_THROW);
    document = loaded;
    generation = process.generation();
    return OfficeStatus::success();
}

// The office's type of the file at `url`, read from its content; its import filter goes into
// `arguments`, so that the file is opened as what it was found to be. Empty when unknown.
QString CalcSpreadsheet::Impl::workbookType(const OUString &url,
                                            Sequence<css::beans::PropertyValue> *arguments) const
{
    const Reference<css::document::XTypeDetection> detection(
        officeService("com.sun.star.document.TypeDetection"), UNO_QUERY_THROW);
    Sequence<css::beans::PropertyValue> descriptor =
        uno::properties({uno::property("URL", Any(url))});
    const OUString type = detection->queryTypeByDescriptor(descriptor, true);
    for (const css::beans::PropertyValue &p : std::as_const(descriptor)) {
        if (p.Name == "FilterName")
            appendArgument(arguments, p);
    }
    return uno::toQ(type);
}

// The refusal of a file of the office's type `type` (empty when it knows none), which it would
// import with `filter`. Where the office found a document of a kind of its own (a word-processor
// document, a web page, another spreadsheet format), the refusal names that kind as the office
// names it to its users; where it would only read the file as text, which it does with anything
// it cannot place (damaged workbooks among them), the refusal names no kind. The internal names
// go into the log.
OfficeStatus CalcSpreadsheet::Impl::notAWorkbook(const QString &what, const QString &type,
                                                 const QString &filter) const
{
    if (!type.isEmpty())
        qCInfo(lcOffice).noquote() << what << "refused: the office detects the type" << type
                                   << "for the import filter" << filter;
    const QString refusal =
        QStringLiteral("%1失败：文件不是 Excel 或 OpenDocument 格式的工作簿").arg(what);
    if (readsAsText(type, filter))
        return OfficeStatus::failure(refusal + QStringLiteral("，或者已损坏。"));
    QString shown = displayName("com.sun.star.document.FilterFactory", filter);
    if (shown.isEmpty())
        shown = displayName("com.sun.star.document.TypeDetection", type);
    if (shown.isEmpty())
        return OfficeStatus::failure(refusal + QStringLiteral("。"));
    return OfficeStatus::failure(refusal + QStringLiteral("（它的格式是“%1”）。").arg(shown));
}

// The name the office shows its users for the entry `name` of its registry `service` (types or
// filters), in the language of its interface; empty when there is none or it cannot be read
// (an entry of a module that is not installed cannot).
QString CalcSpreadsheet::Impl::displayName(const char *service, const QString &name) const
{
    if (name.isEmpty())
        return QString();
    OUString shown;
    try {
        const Reference<css::container::XNameAccess> entries(officeService(service),
                                                             UNO_QUERY_THROW);
        if (!entries->hasByName(uno::toOU(name)))
            return QString();
        Sequence<css::beans::PropertyValue> properties;
        entries->getByName(uno::toOU(name)) >>= properties;
        for (const css::beans::PropertyValue &p : std::as_const(properties)) {
            if (p.Name == "UIName")
                p.Value >>= shown;
        }
    } catch (const css::uno::RuntimeException &) {
        throw; // the office ended or stopped answering: the call fails as such
    } catch (const css::uno::Exception &e) {
        qCInfo(lcOffice).noquote()
            << "the office gives no name for" << name << ":" << uno::toQ(e.Message);
        return QString();
    }
    return uno::toQ(shown).trimmed();
}

Reference<css::uno::XInterface> CalcSpreadsheet::Impl::officeService(const char *service) const
{
    const Reference<css::uno::XComponentContext> context = uno::context(process);
    return context->getServiceManager()->createInstanceWithContext(
        OUString::createFromAscii(service), context);
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
    const QString what = QStringLiteral("打开工作簿“%1”").arg(file.fileName());
    // Looked at, never opened: a pipe or a device would block the office.
    if (!file.isFile())
        return OfficeStatus::failure(
            QStringLiteral("%1失败：%2不是普通文件。").arg(what, QDir::toNativeSeparators(path)));
    if (!file.isReadable())
        return OfficeStatus::permissionDenied(path);
    return uno::call(d->process, what, [&]() {
        return uno::mapIoErrors(what, path,
                                [&] { return d->load(uno::fileUrl(path), true, what); });
    });
}

OfficeStatus CalcSpreadsheet::createNew()
{
    close();
    return uno::call(d->process, QStringLiteral("新建工作簿"), [&]() -> OfficeStatus {
        OfficeStatus status =
            d->load(OUString("private:factory/scalc"), false, QStringLiteral("新建工作簿"));
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
    if (!validPosition(row, column))
        return OfficeStatus::failure(QStringLiteral("单元格位置无效。"));
    CellBlock block(row, column, 1, 1);
    block.setText(row, column, text);
    return writeBlock(block);
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

OfficeStatus CalcSpreadsheet::writeBlock(const CellBlock &block,
                                         QVector<PassedOverCell> *passedOver)
{
    if (passedOver)
        passedOver->clear();
    if (!d->usable())
        return d->notOpen();
    if (!block.isValid() || !validPosition(block.bottom(), block.right()))
        return OfficeStatus::failure(QStringLiteral("单元格位置无效。"));
    if (block.writtenCount() == 0)
        return OfficeStatus::success();
    // Only the marked cells are sent, all in one call: the rest of the sheet is never written.
    const QVector<CellRect> rects = block.writtenRects();
    Sequence<sal_Int32> tops(rects.size()), lefts(rects.size()), heights(rects.size()),
        widths(rects.size());
    Sequence<Any> values(block.writtenCount());
    sal_Int32 k = 0;
    for (int i = 0; i < rects.size(); ++i) {
        const CellRect &r = rects[i];
        tops.getArray()[i] = r.top - 1;
        lefts.getArray()[i] = r.left - 1;
        heights.getArray()[i] = r.rows;
        widths.getArray()[i] = r.columns;
        for (int row = r.top; row < r.top + r.rows; ++row) {
            for (int column = r.left; column < r.left + r.columns; ++column)
                values.getArray()[k++] = cellInput(block.writtenText(row, column));
        }
    }
    return uno::call(d->process, QStringLiteral("写入单元格"), [&]() -> OfficeStatus {
        const Any arguments[] = {Any(d->document), Any(d->sheet), Any(tops),  Any(lefts),
                                 Any(heights),     Any(widths),   Any(values)};
        const Any passed = kPutCells.invoke(d->process, Sequence<Any>(arguments, 7));
        if (passedOver)
            *passedOver = passedOverCells(passed);
        return OfficeStatus::success();
    });
}

OfficeStatus CalcSpreadsheet::saveAs(const QString &path)
{
    if (!d->usable())
        return d->notOpen();
    return uno::storeAs(d->process, d->document, path, "MS Excel 97",
                        QStringLiteral("保存工作簿“%1”").arg(QFileInfo(path).fileName()));
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
