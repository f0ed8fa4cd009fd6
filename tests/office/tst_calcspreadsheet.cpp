// The spreadsheet layer against the real office: workbooks the test makes, read and written
// the way the reconciliation and the summaries use them.
#include "calcspreadsheet.h"
#include "officeprocess.h"
#include "officeprocess_p.h" // an office ended but not yet reaped is made here
#include "unosupport.h"      // the test makes and reads what the layer must not touch
#include "watchedfifo.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XArrayFormulaRange.hpp>
#include <com/sun/star/sheet/XSheetAnnotation.hpp>
#include <com/sun/star/sheet/XSheetAnnotationAnchor.hpp>
#include <com/sun/star/sheet/XSheetAnnotations.hpp>
#include <com/sun/star/sheet/XSheetAnnotationsSupplier.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellAddress.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/util/XProtectable.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QByteArray fileStart(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

const QByteArray kCompoundFile("\xD0\xCF\x11\xE0", 4); // the .xls and .doc container

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Reference<css::lang::XComponent> loadHidden(OfficeProcess &office, const OUString &url)
{
    const Reference<css::frame::XComponentLoader> loader(uno::desktop(office), UNO_QUERY_THROW);
    return loader->loadComponentFromURL(url, "_blank", 0, uno::loadArguments(false, false, false));
}

Reference<css::sheet::XSpreadsheet> firstSheet(const Reference<css::lang::XComponent> &workbook)
{
    const Reference<css::sheet::XSpreadsheetDocument> document(workbook, UNO_QUERY_THROW);
    const Reference<css::container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
    return Reference<css::sheet::XSpreadsheet>(sheets->getByIndex(0), UNO_QUERY_THROW);
}

// All a cell holds that a careless write would change: content as formula input, the exact
// number, its note, an array formula over it, the links in its text and its number format.
QString cellPrint(const Reference<css::sheet::XSpreadsheet> &sheet, int row, int column)
{
    const Reference<css::table::XCell> cell = sheet->getCellByPosition(column - 1, row - 1);
    const Reference<css::sheet::XSheetAnnotationAnchor> anchor(cell, UNO_QUERY_THROW);
    const Reference<css::sheet::XArrayFormulaRange> array(
        sheet->getCellRangeByPosition(column - 1, row - 1, column - 1, row - 1), UNO_QUERY_THROW);
    QStringList links;
    const Reference<css::text::XTextFieldsSupplier> fields(cell, UNO_QUERY_THROW);
    const Reference<css::container::XEnumeration> e = fields->getTextFields()->createEnumeration();
    while (e->hasMoreElements()) {
        const Reference<css::beans::XPropertySet> field(e->nextElement(), UNO_QUERY_THROW);
        links << uno::toQ(field->getPropertyValue("URL").get<OUString>());
    }
    const Reference<css::beans::XPropertySet> properties(cell, UNO_QUERY_THROW);
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(uno::toQ(cell->getFormula()))
        .arg(cell->getValue(), 0, 'g', 17)
        .arg(uno::toQ(Reference<css::text::XSimpleText>(anchor->getAnnotation(), UNO_QUERY_THROW)
                          ->getString()))
        .arg(uno::toQ(array->getArrayFormula()))
        .arg(links.join(u','))
        .arg(properties->getPropertyValue("NumberFormat").get<sal_Int32>());
}

// Cells that no write touches, inside the rectangle of the written ones (rows 12 and 15):
// a third, a number of 17 digits, an array formula, a link, a percentage and, when asked,
// a note.
void fillCellsToKeep(const Reference<css::lang::XComponent> &workbook, bool withNote)
{
    const Reference<css::sheet::XSpreadsheet> sheet = firstSheet(workbook);
    sheet->getCellByPosition(0, 12)->setValue(1.0 / 3);
    sheet->getCellByPosition(1, 12)->setValue(12345678901234567.0);
    const Reference<css::sheet::XArrayFormulaRange> array(
        sheet->getCellRangeByPosition(2, 12, 2, 13), UNO_QUERY_THROW);
    array->setArrayFormula("=ROW(A1:A2)*10");
    const Reference<css::lang::XMultiServiceFactory> factory(workbook, UNO_QUERY_THROW);
    const Reference<css::beans::XPropertySet> link(
        factory->createInstance("com.sun.star.text.TextField.URL"), UNO_QUERY_THROW);
    link->setPropertyValue("URL", Any(OUString("https://example.org/")));
    link->setPropertyValue("Representation", Any(uno::toOU(QStringLiteral("链接"))));
    const Reference<css::text::XText> text(sheet->getCellByPosition(3, 13), UNO_QUERY_THROW);
    text->insertTextContent(
        Reference<css::text::XTextRange>(text->createTextCursor(), UNO_QUERY_THROW),
        Reference<css::text::XTextContent>(link, UNO_QUERY_THROW), false);
    sheet->getCellByPosition(4, 12)->setValue(0.25);
    const Reference<css::beans::XPropertySet> percent(sheet->getCellByPosition(4, 12),
                                                      UNO_QUERY_THROW);
    percent->setPropertyValue("NumberFormat", Any(sal_Int32(10))); // 0.00%
    if (withNote) {
        const Reference<css::sheet::XSheetAnnotationsSupplier> notes(sheet, UNO_QUERY_THROW);
        notes->getAnnotations()->insertNew(css::table::CellAddress(0, 5, 13),
                                           uno::toOU(QStringLiteral("备注")));
        notes->getAnnotations()->insertNew(css::table::CellAddress(0, 0, 11),
                                           uno::toOU(QStringLiteral("写入格的备注")));
    }
}

// A zip archive of `entries` (name, bytes), stored uncompressed.
QByteArray storedZip(const QList<QPair<QByteArray, QByteArray>> &entries)
{
    QByteArray zip, directory;
    const auto u16 = [](QByteArray &out, quint32 v) { out.append(char(v)).append(char(v >> 8)); };
    const auto u32 = [&](QByteArray &out, quint32 v) {
        u16(out, v);
        u16(out, v >> 16);
    };
    for (const auto &[name, data] : entries) {
        quint32 crc = 0xffffffffu;
        for (const char byte : data) {
            crc ^= quint8(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
        // What a local header and a directory entry share: version 2.0, no flags, stored,
        // 1980-01-01, the CRC, both sizes, the name's length and no extra field.
        QByteArray shared;
        for (const quint32 v : {20u, 0u, 0u, 0u, 0x21u})
            u16(shared, v);
        for (const quint32 v : {~crc, quint32(data.size()), quint32(data.size())})
            u32(shared, v);
        u16(shared, quint32(name.size()));
        u16(shared, 0);
        u32(directory, 0x02014b50);
        u16(directory, 20);
        directory += shared + QByteArray(10, '\0'); // no comment, disk 0, no attributes
        u32(directory, quint32(zip.size()));
        directory += name;
        u32(zip, 0x04034b50);
        zip += shared + name + data;
    }
    const quint32 directoryAt = quint32(zip.size());
    zip += directory;
    u32(zip, 0x06054b50);
    u32(zip, 0);
    u16(zip, quint32(entries.size()));
    u16(zip, quint32(entries.size()));
    u32(zip, quint32(directory.size()));
    u32(zip, directoryAt);
    u16(zip, 0);
    return zip;
}

// Writes an OpenDocument spreadsheet whose sheets are `tables` (table:table elements): made
// here, so that it holds what the office itself would never write.
bool writeOds(const QString &path, const QByteArray &tables)
{
    const QByteArray type("application/vnd.oasis.opendocument.spreadsheet");
    const QByteArray manifest =
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
        " manifest:version=\"1.2\"><manifest:file-entry manifest:full-path=\"/\""
        " manifest:media-type=\"" +
        type +
        "\"/><manifest:file-entry manifest:full-path=\"content.xml\""
        " manifest:media-type=\"text/xml\"/></manifest:manifest>";
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
        " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
        " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
        "<office:body><office:spreadsheet>" +
        tables + "</office:spreadsheet></office:body></office:document-content>";
    const QByteArray zip = storedZip(
        {{"mimetype", type}, {"META-INF/manifest.xml", manifest}, {"content.xml", content}});
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(zip) == zip.size();
}

} // namespace

class TestCalcSpreadsheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void readsCells_data();
    void readsCells();
    void blockWriteKeepsFormulasAndTexts();
    void storesUnderAChineseName();
    void templateStaysUntouched();
    void writeLeavesEveryOtherCell_data();
    void writeLeavesEveryOtherCell();
    void writePassesOverArrayFormulas_data();
    void writePassesOverArrayFormulas();
    void opensWorkbooksOnly_data();
    void opensWorkbooksOnly();
    void storeTheDiskRefuses_data();
    void storeTheDiskRefuses();
    void officeEndedBeforeItIsReapedIsTheOffice();
    void failuresHaveTheirClass();
    void laterCallsFailAfterAFailedOpen();
    void workbookWithAPasswordIsNotOpened();
    void loadWithoutAnswerIsTheOffice();
    void workbookOpenedWithAWarningIsRead();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    OfficeProcess m_office;
    QString m_template;
};

// The template: texts and numbers, a heading in Chinese, a total formula and a text that
// looks like a formula, as a summary template has them.
void TestCalcSpreadsheet::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_template = path(QStringLiteral("人才培养情况.xls"));
    CalcSpreadsheet sheet(m_office);
    OfficeStatus status = sheet.createNew();
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(sheet.writeCell(1, 1, QStringLiteral("单位性质")).ok());
    QVERIFY(sheet.writeCell(1, 2, QStringLiteral("项目数")).ok());
    QVERIFY(sheet.writeCell(2, 1, QStringLiteral("企业")).ok());
    QVERIFY(sheet.writeCell(2, 2, QStringLiteral(" 3")).ok());
    QVERIFY(sheet.writeCell(3, 2, QStringLiteral("12.5")).ok());
    QVERIFY(sheet.writeCell(4, 2, QStringLiteral("0012")).ok());
    QVERIFY(sheet.writeCell(5, 1, QStringLiteral("=不是公式")).ok());
    QVERIFY(sheet.writeCell(6, 1, QStringLiteral("'引号")).ok());
    QVERIFY(sheet.writeFormula(7, 2, QStringLiteral("=SUM(B2:B6)")).ok());
    QVERIFY(sheet.writeCell(200, 31, QStringLiteral("末格")).ok());
    status = sheet.saveAs(m_template);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(sheet.close().ok());
}

void TestCalcSpreadsheet::cleanupTestCase()
{
    m_office.stop();
}

void TestCalcSpreadsheet::readsCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    QTest::newRow("chinese text") << 1 << 1 << "单位性质" << 0.0;
    QTest::newRow("number written with a blank") << 2 << 2 << "3" << 3.0;
    QTest::newRow("fraction") << 3 << 2 << "12.5" << 12.5;
    QTest::newRow("text like a formula") << 5 << 1 << "=不是公式" << 0.0;
    QTest::newRow("text with a quote") << 6 << 1 << "'引号" << 0.0;
    QTest::newRow("formula shows its result") << 7 << 2 << "27.5" << 27.5;
    QTest::newRow("empty cell") << 8 << 2 << "" << 0.0;
    QTest::newRow("far corner") << 200 << 31 << "末格" << 0.0;
}

void TestCalcSpreadsheet::readsCells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(double, number);

    CalcSpreadsheet sheet(m_office);
    OfficeStatus status = sheet.open(m_template);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    CellValue value;
    status = sheet.readCell(row, column, &value);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QCOMPARE(value.text(), text);
    QCOMPARE(value.toNumber(), number);

    // The block read gives the same value.
    CellBlock block(1, 1, 200, 31);
    QVERIFY(sheet.readBlock(&block).ok());
    QCOMPARE(block.value(row, column), value);
}

void TestCalcSpreadsheet::blockWriteKeepsFormulasAndTexts()
{
    CalcSpreadsheet sheet(m_office);
    QVERIFY(sheet.open(m_template).ok());
    // The summaries' write-out: a 202 x 31 grid, only the cells greater than 0 written.
    CellBlock block(1, 1, 202, 31);
    block.setText(2, 2, QStringLiteral(" 10"));
    block.setText(3, 2, QStringLiteral(" 20"));
    block.setText(150, 22, QStringLiteral(" 7.5"));
    block.setText(8, 3, QStringLiteral("新"));
    OfficeStatus status = sheet.writeBlock(block);
    QVERIFY2(status.ok(), qPrintable(status.text()));

    CellBlock after(1, 1, 202, 31);
    QVERIFY(sheet.readBlock(&after).ok());
    QCOMPARE(after.value(2, 2), CellValue::fromNumber(10));
    QCOMPARE(after.value(150, 22), CellValue::fromNumber(7.5));
    QCOMPARE(after.value(8, 3), CellValue::fromText(QStringLiteral("新")));
    // Untouched: the texts, the formula (now over the new numbers) and the far corner.
    QCOMPARE(after.value(1, 1), CellValue::fromText(QStringLiteral("单位性质")));
    QCOMPARE(after.value(5, 1), CellValue::fromText(QStringLiteral("=不是公式")));
    QCOMPARE(after.value(6, 1), CellValue::fromText(QStringLiteral("'引号")));
    QCOMPARE(after.value(4, 2), CellValue::fromNumber(12));
    QCOMPARE(after.value(7, 2), CellValue::fromNumber(10 + 20 + 12));
    QCOMPARE(after.value(200, 31), CellValue::fromText(QStringLiteral("末格")));
    QVERIFY(after.value(202, 31).isEmpty());
}

void TestCalcSpreadsheet::storesUnderAChineseName()
{
    const QString output = path(QStringLiteral("人才培养情况_2011.xls"));
    {
        CalcSpreadsheet sheet(m_office);
        QVERIFY(sheet.open(m_template).ok());
        CellBlock block(1, 1, 200, 31);
        block.setText(2, 2, QStringLiteral(" 4"));
        QVERIFY(sheet.writeBlock(block).ok());
        OfficeStatus status = sheet.saveAs(output);
        QVERIFY2(status.ok(), qPrintable(status.text()));
        // Storing again replaces the file without a question.
        QVERIFY(sheet.writeCell(3, 2, QStringLiteral(" 6")).ok());
        status = sheet.saveAs(output);
        QVERIFY2(status.ok(), qPrintable(status.text()));
        QVERIFY(sheet.close().ok());
    }
    QCOMPARE(fileStart(output), kCompoundFile);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".~")),
             QStringList()); // no temporary or lock file left

    CalcSpreadsheet reopened(m_office);
    QVERIFY(reopened.open(output).ok());
    CellBlock block(1, 1, 7, 2);
    QVERIFY(reopened.readBlock(&block).ok());
    QCOMPARE(block.value(2, 2), CellValue::fromNumber(4));
    QCOMPARE(block.value(3, 2), CellValue::fromNumber(6));
    QCOMPARE(block.value(7, 2), CellValue::fromNumber(4 + 6 + 12));
    QCOMPARE(block.value(2, 1), CellValue::fromText(QStringLiteral("企业")));
    QCOMPARE(block.value(5, 1), CellValue::fromText(QStringLiteral("=不是公式")));
}

void TestCalcSpreadsheet::templateStaysUntouched()
{
    const QByteArray before = fileHash(m_template);
    const QDateTime modified = QFileInfo(m_template).lastModified();
    CalcSpreadsheet sheet(m_office);
    QVERIFY(sheet.open(m_template).ok());
    QVERIFY(sheet.writeCell(2, 2, QStringLiteral(" 99")).ok());
    // Open, the template is not locked: no lock file beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".~lock*")}, QDir::Files | QDir::Hidden),
             QStringList());
    QVERIFY(sheet.saveAs(path(QStringLiteral("另存.xls"))).ok());
    QVERIFY(sheet.close().ok());
    QCOMPARE(fileHash(m_template), before);
    QCOMPARE(QFileInfo(m_template).lastModified(), modified);
}

void TestCalcSpreadsheet::writeLeavesEveryOtherCell_data()
{
    QTest::addColumn<bool>("withNote");
    QTest::newRow("written in blocks") << false;
    QTest::newRow("a sheet with notes, written cell by cell") << true;
}

// Rows 12 and 15 of columns 1..6 are written, and (13, 7); every other cell of rows 13 and 14
// comes out as it went in.
void TestCalcSpreadsheet::writeLeavesEveryOtherCell()
{
    QFETCH(bool, withNote);
    const QString input = path(QStringLiteral("保留%1.xls").arg(withNote));
    const QString output = path(QStringLiteral("保留%1_2011.xls").arg(withNote));
    QStringList before, after;
    const auto prints = [](const Reference<css::lang::XComponent> &workbook, QStringList *out) {
        const Reference<css::sheet::XSpreadsheet> sheet = firstSheet(workbook);
        for (int row = 13; row <= 14; ++row) {
            for (int column = 1; column <= 6; ++column)
                *out << cellPrint(sheet, row, column);
        }
    };
    OfficeStatus status = uno::call(m_office, QStringLiteral("模板"), [&]() {
        const Reference<css::lang::XComponent> made =
            loadHidden(m_office, OUString("private:factory/scalc"));
        fillCellsToKeep(made, withNote);
        Reference<css::frame::XStorable>(made, UNO_QUERY_THROW)
            ->storeToURL(uno::fileUrl(input), uno::storeArguments("MS Excel 97"));
        uno::closeQuietly(made);
        const Reference<css::lang::XComponent> stored = loadHidden(m_office, uno::fileUrl(input));
        prints(stored, &before);
        uno::closeQuietly(stored);
        return OfficeStatus::success();
    });
    QVERIFY2(status.ok(), qPrintable(status.text()));

    CalcSpreadsheet sheet(m_office);
    QVERIFY(sheet.open(input).ok());
    CellBlock block(12, 1, 4, 7);
    for (int column = 1; column <= 6; ++column) {
        block.setText(12, column, QStringLiteral(" %1").arg(column));
        block.setText(15, column, QStringLiteral(" 2%1").arg(column));
    }
    block.setText(13, 7, QStringLiteral(" 99"));
    status = sheet.writeBlock(block);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(sheet.saveAs(output).ok());
    QVERIFY(sheet.close().ok());

    QString written;
    status = uno::call(m_office, QStringLiteral("结果"), [&]() {
        const Reference<css::lang::XComponent> result = loadHidden(m_office, uno::fileUrl(output));
        prints(result, &after);
        const Reference<css::sheet::XSpreadsheet> resultSheet = firstSheet(result);
        written = QStringList{cellPrint(resultSheet, 12, 1), cellPrint(resultSheet, 15, 6),
                              cellPrint(resultSheet, 13, 7)}
                      .join(u' ');
        uno::closeQuietly(result);
        return OfficeStatus::success();
    });
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QCOMPARE(after, before);
    QCOMPARE(written, QStringLiteral("1|1|%1|||0 26|26||||0 99|99||||0")
                          .arg(withNote ? QStringLiteral("写入格的备注") : QString()));
}

void TestCalcSpreadsheet::writePassesOverArrayFormulas_data()
{
    QTest::addColumn<bool>("protectedSheet");
    QTest::newRow("a sheet open to edits") << false;
    QTest::newRow("a protected sheet, its cells locked") << true;
}

// The template's array formula {=B2:D4+E2:G4} over H2:J4 crosses the written cells H2 and I2:
// they are passed over and named, and every cell of A1:M10 but the written ones comes out of
// the stored workbook as it went in, the array's formula and values over its whole range among
// them. The locked cells of a protected sheet take their values, and the sheet stays
// protected.
void TestCalcSpreadsheet::writePassesOverArrayFormulas()
{
    QFETCH(bool, protectedSheet);
    const QString input = path(QStringLiteral("数组公式%1.xls").arg(protectedSheet));
    const QString output = path(QStringLiteral("数组公式%1_2011.xls").arg(protectedSheet));
    CellBlock block(2, 2, 5, 10);
    for (const auto &[row, column] : {std::pair{2, 8}, {2, 9}, {2, 11}, {3, 11}})
        block.setText(row, column, QStringLiteral(" %1").arg(row * 100 + column));
    for (int column = 2; column <= 10; ++column)
        block.setText(6, column, QStringLiteral(" %1").arg(600 + column));
    QMap<QPair<int, int>, QString> before, after;
    bool stillProtected = false;
    const auto prints = [&](const Reference<css::lang::XComponent> &workbook,
                            QMap<QPair<int, int>, QString> *out) {
        const Reference<css::sheet::XSpreadsheet> sheet = firstSheet(workbook);
        for (int row = 1; row <= 10; ++row) {
            for (int column = 1; column <= 13; ++column)
                out->insert({row, column}, cellPrint(sheet, row, column));
        }
        stillProtected = Reference<css::util::XProtectable>(sheet, UNO_QUERY_THROW)->isProtected();
    };
    OfficeStatus status = uno::call(m_office, QStringLiteral("模板"), [&]() {
        const Reference<css::lang::XComponent> made =
            loadHidden(m_office, OUString("private:factory/scalc"));
        const Reference<css::sheet::XSpreadsheet> sheet = firstSheet(made);
        for (int row = 1; row <= 4; ++row) {
            for (int column = 2; column <= 7; ++column)
                sheet->getCellByPosition(column - 1, row - 1)->setValue(row * 10 + column);
        }
        Reference<css::sheet::XArrayFormulaRange>(sheet->getCellRangeByPosition(7, 1, 9, 3),
                                                  UNO_QUERY_THROW)
            ->setArrayFormula("=B2:D4+E2:G4");
        if (protectedSheet)
            Reference<css::util::XProtectable>(sheet, UNO_QUERY_THROW)->protect(OUString());
        Reference<css::frame::XStorable>(made, UNO_QUERY_THROW)
            ->storeToURL(uno::fileUrl(input), uno::storeArguments("MS Excel 97"));
        uno::closeQuietly(made);
        const Reference<css::lang::XComponent> stored = loadHidden(m_office, uno::fileUrl(input));
        prints(stored, &before);
        uno::closeQuietly(stored);
        return OfficeStatus::success();
    });
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QCOMPARE(before.value({3, 9}), QStringLiteral("{=B2:D4+E2:G4}|69||{=B2:D4+E2:G4}||0"));
    QCOMPARE(stillProtected, protectedSheet);

    CalcSpreadsheet sheet(m_office);
    QVERIFY(sheet.open(input).ok());
    QVector<PassedOverCell> passedOver;
    status = sheet.writeBlock(block, &passedOver);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QCOMPARE(passedOver, (QVector<PassedOverCell>{{2, 8, PassedOverCell::Reason::ArrayFormula},
                                                  {2, 9, PassedOverCell::Reason::ArrayFormula}}));
    QVERIFY(sheet.saveAs(output).ok());
    QVERIFY(sheet.close().ok());

    status = uno::call(m_office, QStringLiteral("结果"), [&]() {
        const Reference<css::lang::XComponent> result = loadHidden(m_office, uno::fileUrl(output));
        prints(result, &after);
        uno::closeQuietly(result);
        return OfficeStatus::success();
    });
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QCOMPARE(stillProtected, protectedSheet);
    for (auto cell = before.cbegin(); cell != before.cend(); ++cell) {
        const auto [row, column] = cell.key();
        const bool inArray = row == 2 && (column == 8 || column == 9);
        const QString expected = block.isWritten(row, column) && !inArray
                                     ? QStringLiteral("%1|%1||||0").arg(row * 100 + column)
                                     : cell.value();
        QVERIFY2(after.value(cell.key()) == expected,
                 qPrintable(QStringLiteral("%1: %2, not %3")
                                .arg(cellName(row, column), after.value(cell.key()), expected)));
    }
}

void TestCalcSpreadsheet::opensWorkbooksOnly_data()
{
    QTest::addColumn<QByteArray>("content"); // for a file, or "factory:filter" for a stored one
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said"); // after the file's name
    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator generator(2011);
    for (char &byte : noise)
        byte = char(generator.bounded(256));
    // What the office could only read as text is named no kind: it may be a damaged workbook.
    const QString text =
        QStringLiteral("文件不是 Excel 或 OpenDocument 格式的工作簿，或者已损坏。");
    const QString kind =
        QStringLiteral("文件不是 Excel 或 OpenDocument 格式的工作簿（它的格式是“%1”）。");
    QTest::newRow("random bytes") << noise << "file" << text;
    QTest::newRow("empty file") << QByteArray() << "file" << text;
    QTest::newRow("comma-separated text")
        << QByteArray("单位,项目数\r\n企业,3\r\n") << "file" << text;
    QTest::newRow("a workbook cut short") << QByteArray("scalc:MS Excel 97") << "cut" << text;
    QTest::newRow("web page") << QByteArray("<html><body><table><tr><td>1</td></tr></table></html>")
                              << "file" << kind.arg(u"网页查询 (Calc)");
    QTest::newRow("word-processor document")
        << QByteArray("swriter:MS Word 97") << "stored" << kind.arg(u"Word 97–2003");
    QTest::newRow("UOF spreadsheet")
        << QByteArray("scalc:UOF spreadsheet") << "stored" << kind.arg(u"标文通 (UOF) 电子表格");
    // Its import belongs to a part of the office that is not installed.
    QTest::newRow("PDF") << QByteArray("swriter:writer_pdf_Export") << "stored"
                         << kind.arg(u"PDF - Portable Document Format (Draw)");
    QTest::newRow("a folder") << QByteArray() << "folder" << QStringLiteral("不是普通文件。");
    QTest::newRow("a pipe") << QByteArray() << "fifo" << QStringLiteral("不是普通文件。");
}

// Anything but a workbook is refused, unopened where it is no regular file, and never as a
// locked file (which the summaries would take for a resident spreadsheet program). The refusal
// names what the file is as the office's Chinese interface names it to its users.
void TestCalcSpreadsheet::opensWorkbooksOnly()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    QFETCH(QString, said);
    const QString name = path(QStringLiteral("资金来源情况-%1.xls").arg(QTest::currentDataTag()));
    std::unique_ptr<WatchedFifo> fifo;
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(name));
    } else if (kind == QLatin1String("fifo")) {
        fifo = std::make_unique<WatchedFifo>(name);
        QVERIFY(fifo->made());
    } else if (kind == QLatin1String("stored") || kind == QLatin1String("cut")) {
        const OUString factory = OUString::createFromAscii(
            ("private:factory/" + content.left(content.indexOf(':'))).constData());
        const Reference<css::lang::XComponent> document = loadHidden(m_office, factory);
        Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)
            ->storeToURL(uno::fileUrl(name),
                         uno::storeArguments(content.mid(content.indexOf(':') + 1).constData()));
        uno::closeQuietly(document);
        if (kind == QLatin1String("cut"))
            QVERIFY(QFile::resize(name, QFileInfo(name).size() * 3 / 10));
    } else {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    CalcSpreadsheet sheet(m_office);
    const OfficeStatus status = sheet.open(name);
    QCOMPARE(status.number(), int(OfficeStatus::OtherFailure));
    QVERIFY2(status.text().endsWith(QStringLiteral("失败：") + said) ||
                 ((kind == u"folder" || kind == u"fifo") && status.text().endsWith(said)),
             qPrintable(status.text()));
    QVERIFY(!sheet.isOpen());
}

void TestCalcSpreadsheet::storeTheDiskRefuses_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("a full disk") << true;
    QTest::newRow("the office ends on a file past its size limit") << false;
}

// A store that fails in the middle: the earlier file stays, no temporary or lock file is left,
// and the reason is told in words.
void TestCalcSpreadsheet::storeTheDiskRefuses()
{
    QFETCH(bool, diskFull);
    QTemporaryDir small;
    const QByteArray mountPoint = QFile::encodeName(small.path());
    if (diskFull && ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=4k") != 0)
        QSKIP("no small file system can be mounted here");
    const auto unmount = qScopeGuard([&] {
        if (diskFull)
            ::umount(mountPoint.constData());
    });
    const QString output = QDir(small.path()).filePath(QStringLiteral("资金支出情况_2011.xls"));
    QFile earlier(output);
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    earlier.close();
    CalcSpreadsheet sheet(m_office);
    QVERIFY(sheet.open(m_template).ok());
    const rlimit limit{diskFull ? RLIM_INFINITY : 4096, RLIM_INFINITY};
    QCOMPARE(prlimit(pid_t(m_office.processId()), RLIMIT_FSIZE, &limit, nullptr), 0);
    // An office under the limit never serves a later test, whose own calls it would fail.
    const auto limited = qScopeGuard([&] {
        if (!diskFull)
            m_office.stop();
    });
    const OfficeStatus status = sheet.saveAs(output);
    QVERIFY(!status.ok());
    if (diskFull)
        QVERIFY2(status.text().contains(QStringLiteral("磁盘已满")), qPrintable(status.text()));
    else
        QCOMPARE(status.number(), int(OfficeStatus::OfficeStopped));
    QCOMPARE(fileStart(output), QByteArray("earl"));
    QCOMPARE(QDir(small.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(output).fileName()});
    QVERIFY(sheet.close().ok());
}

// The office ends in the middle of a store, and the store fails before its process is reaped
// and before its bridge has told its listeners: the store fails as the office's end, with no
// other cause and none of the office's own text, and the office is gone for the next call.
// A sleeping child of the test stands in for the process not yet reaped.
void TestCalcSpreadsheet::officeEndedBeforeItIsReapedIsTheOffice()
{
    OfficeProcess office;
    CalcSpreadsheet sheet(office);
    QVERIFY(sheet.open(m_template).ok());
    OfficeProcess::Impl &impl = office.impl();
    const pid_t ended = impl.pid;
    const pid_t standIn = ::fork();
    if (standIn == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::pause();
        ::_exit(0);
    }
    QVERIFY(standIn > 0);
    impl.pid = standIn;
    ::kill(ended, SIGKILL);
    QCOMPARE(::waitpid(ended, nullptr, 0), ended);
    QTRY_VERIFY(impl.bridgeGone->load());
    impl.bridgeGone = std::make_shared<std::atomic<bool>>(false);

    const QString output = path(QStringLiteral("项目负责人情况_2011.xls"));
    const OfficeStatus status = sheet.saveAs(output);
    QCOMPARE(status.text(),
             QStringLiteral("保存工作簿“项目负责人情况_2011.xls”失败：办公软件已退出。"));
    QCOMPARE(status.number(), int(OfficeStatus::OfficeStopped));
    QVERIFY(!QFile::exists(output));
    QVERIFY(!office.isRunning());
    QVERIFY(!sheet.isOpen());
    QCOMPARE(::kill(standIn, 0), -1);
}

void TestCalcSpreadsheet::failuresHaveTheirClass()
{
    CalcSpreadsheet sheet(m_office);
    OfficeStatus status = sheet.open(path(QStringLiteral("2011计划.xls")));
    QCOMPARE(status.number(), int(OfficeStatus::FileNotFound));
    QVERIFY(status.text().contains(QStringLiteral("2011计划.xls")));

    // A target that cannot be replaced: permission denied, and the file is kept.
    QVERIFY(sheet.open(m_template).ok());
    const QString folderInTheWay = path(QStringLiteral("目录.xls"));
    QVERIFY(QDir().mkpath(folderInTheWay));
    QCOMPARE(sheet.saveAs(folderInTheWay).number(), int(OfficeStatus::PermissionDenied));
    QVERIFY(QFileInfo(folderInTheWay).isDir());

    // Into a folder that does not exist: another failure.
    status = sheet.saveAs(path(QStringLiteral("无此目录/汇总.xls")));
    QCOMPARE(status.number(), int(OfficeStatus::OtherFailure));
}

void TestCalcSpreadsheet::laterCallsFailAfterAFailedOpen()
{
    CalcSpreadsheet sheet(m_office);
    QVERIFY(!sheet.open(path(QStringLiteral("没有.xls"))).ok());
    CellValue value;
    QVERIFY(!sheet.readCell(1, 1, &value).ok());
    QVERIFY(!sheet.writeCell(1, 1, QStringLiteral("1")).ok());
    CellBlock block(1, 1, 2, 2);
    block.setText(1, 1, QStringLiteral("1"));
    QVERIFY(!sheet.writeBlock(block).ok());
    const QString output = path(QStringLiteral("没有_2011.xls"));
    QVERIFY(!sheet.saveAs(output).ok());
    QVERIFY(!QFile::exists(output));
    QVERIFY(sheet.close().ok());
}

// A real workbook the office cannot open is said to be one, with the password as the cause.
void TestCalcSpreadsheet::workbookWithAPasswordIsNotOpened()
{
    const QString locked = path(QStringLiteral("加密.xls"));
    const Reference<css::lang::XComponent> workbook =
        loadHidden(m_office, uno::fileUrl(m_template));
    const Reference<css::frame::XStorable> storable(workbook, UNO_QUERY_THROW);
    storable->storeToURL(uno::fileUrl(locked),
                         uno::properties({uno::property("FilterName", Any(OUString("MS Excel 97"))),
                                          uno::property("Password", Any(OUString("2011")))}));
    uno::closeQuietly(workbook);
    CalcSpreadsheet sheet(m_office);
    const OfficeStatus status = sheet.open(locked);
    QCOMPARE(status.text(),
             QStringLiteral("打开工作簿“加密.xls”失败：工作簿有密码保护，无法打开。"));
    QCOMPARE(status.number(), int(OfficeStatus::OtherFailure));
    QVERIFY(!sheet.isOpen());
}

// A load that outlasts the call timeout (a hundred million cells keep the office busy for about
// ten seconds on a current machine) is the office not answering: it is ended, and the workbook
// is not blamed.
void TestCalcSpreadsheet::loadWithoutAnswerIsTheOffice()
{
    const QString name = path(QStringLiteral("项目清单.ods"));
    QVERIFY(writeOds(name, "<table:table table:name=\"表1\">"
                           "<table:table-row table:number-rows-repeated=\"100000\">"
                           "<table:table-cell table:number-columns-repeated=\"1000\""
                           " office:value-type=\"float\" office:value=\"1\"/>"
                           "</table:table-row></table:table>"));
    const int timeout = m_office.callTimeout();
    m_office.setCallTimeout(1000);
    const auto restore = qScopeGuard([&] {
        m_office.setCallTimeout(timeout);
        m_office.start();
    });
    CalcSpreadsheet sheet(m_office);
    const OfficeStatus status = sheet.open(name);
    QCOMPARE(status.number(), int(OfficeStatus::OfficeStopped));
    QVERIFY2(status.text().contains(QStringLiteral("没有响应")), qPrintable(status.text()));
    QVERIFY(!sheet.isOpen());
}

// A workbook the office opens with a warning (a row beyond its last row, left out: the office
// asks whether to go on) opens, and the cells of its first sheet read as they stand.
void TestCalcSpreadsheet::workbookOpenedWithAWarningIsRead()
{
    const QString name = path(QStringLiteral("超长.ods"));
    QVERIFY(writeOds(name, "<table:table table:name=\"表1\"><table:table-row>"
                           "<table:table-cell office:value-type=\"string\">"
                           "<text:p>项目编号</text:p></table:table-cell>"
                           "<table:table-cell office:value-type=\"float\" office:value=\"12.5\"/>"
                           "</table:table-row><table:table-row>"
                           "<table:table-cell office:value-type=\"float\" office:value=\"3\"/>"
                           "</table:table-row>"
                           "<table:table-row table:number-rows-repeated=\"1048576\">"
                           "<table:table-cell/></table:table-row><table:table-row>"
                           "<table:table-cell office:value-type=\"float\" office:value=\"7\"/>"
                           "</table:table-row></table:table>"));
    CalcSpreadsheet sheet(m_office);
    const OfficeStatus status = sheet.open(name);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    CellBlock block(1, 1, 2, 2);
    QVERIFY(sheet.readBlock(&block).ok());
    QCOMPARE(block.value(1, 1), CellValue::fromText(QStringLiteral("项目编号")));
    QCOMPARE(block.value(1, 2), CellValue::fromNumber(12.5));
    QCOMPARE(block.value(2, 1), CellValue::fromNumber(3));
}

QTEST_GUILESS_MAIN(TestCalcSpreadsheet)
#include "tst_calcspreadsheet.moc"
