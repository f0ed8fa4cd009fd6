// The spreadsheet layer against the real office: workbooks the test makes, read and written
// the way the reconciliation and the summaries use them.
#include "calcspreadsheet.h"
#include "officeprocess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
    void failuresHaveTheirClass();
    void laterCallsFailAfterAFailedOpen();

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

QTEST_GUILESS_MAIN(TestCalcSpreadsheet)
#include "tst_calcspreadsheet.moc"
