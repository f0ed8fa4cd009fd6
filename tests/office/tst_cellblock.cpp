#include "cellblock.h"

#include <QtTest>

class TestCellBlock : public QObject
{
    Q_OBJECT

private slots:
    void writtenText_data();
    void writtenText();
    void valueAsText_data();
    void valueAsText();
    void valueAsNumber_data();
    void valueAsNumber();
    void blockCoordinates();
    void writesAreMarkedPerCell();
    void writtenRectsHoldWrittenCellsOnly();
};

void TestCellBlock::writtenText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("number");

    const int number = int(CellValue::Kind::Number);
    const int text = int(CellValue::Kind::Text);
    const int empty = int(CellValue::Kind::Empty);
    QTest::newRow("number text with its leading blank") << " 12" << number << 12.0;
    QTest::newRow("negative") << "-3" << number << -3.0;
    QTest::newRow("decimal point") << " 12.5" << number << 12.5;
    QTest::newRow("leading zeros") << "0012" << number << 12.0;
    QTest::newRow("large sum") << " 1234567.25" << number << 1234567.25;
    QTest::newRow("empty") << "" << empty << 0.0;
    QTest::newRow("blanks stay a text") << "  " << text << 0.0;
    QTest::newRow("chinese") << "项目名称" << text << 0.0;
    QTest::newRow("comma is no decimal point") << "12,5" << text << 0.0;
    QTest::newRow("formula stays a text") << "=A1+1" << text << 0.0;
    QTest::newRow("date-like stays a text") << "1/2" << text << 0.0;
    QTest::newRow("number and words") << "12 项" << text << 0.0;
}

void TestCellBlock::writtenText()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(double, number);
    const CellValue value = cellValueOfWrittenText(text);
    QCOMPARE(int(value.kind), kind);
    if (value.kind == CellValue::Kind::Number)
        QCOMPARE(value.number, number);
    if (value.kind == CellValue::Kind::Text)
        QCOMPARE(value.string, text);
}

void TestCellBlock::valueAsText_data()
{
    QTest::addColumn<CellValue>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << CellValue() << "";
    QTest::newRow("whole number") << CellValue::fromNumber(12) << "12";
    QTest::newRow("project number") << CellValue::fromNumber(2011010001) << "2011010001";
    QTest::newRow("fraction") << CellValue::fromNumber(12.5) << "12.5";
    QTest::newRow("negative") << CellValue::fromNumber(-0.25) << "-0.25";
    QTest::newRow("huge") << CellValue::fromNumber(1e20) << "1E+20";
    QTest::newRow("text kept") << CellValue::fromText(" 0012 ") << " 0012 ";
}

void TestCellBlock::valueAsText()
{
    QFETCH(CellValue, value);
    QFETCH(QString, text);
    QCOMPARE(value.text(), text);
}

void TestCellBlock::valueAsNumber_data()
{
    QTest::addColumn<CellValue>("value");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("ok");

    QTest::newRow("empty is 0") << CellValue() << 0.0 << true;
    QTest::newRow("number") << CellValue::fromNumber(12.5) << 12.5 << true;
    QTest::newRow("numeric text") << CellValue::fromText(" 12.5 ") << 12.5 << true;
    QTest::newRow("other text") << CellValue::fromText("无") << 0.0 << false;
}

void TestCellBlock::valueAsNumber()
{
    QFETCH(CellValue, value);
    QFETCH(double, number);
    QFETCH(bool, ok);
    bool read = !ok;
    QCOMPARE(value.toNumber(&read), number);
    QCOMPARE(read, ok);
}

void TestCellBlock::blockCoordinates()
{
    CellBlock block(2, 3, 200, 22);
    QVERIFY(block.isValid());
    QCOMPARE(block.bottom(), 201);
    QCOMPARE(block.right(), 24);
    QVERIFY(block.contains(2, 3));
    QVERIFY(block.contains(201, 24));
    QVERIFY(!block.contains(1, 3));
    QVERIFY(!block.contains(202, 24));
    QVERIFY(!block.contains(2, 25));

    block.setValue(201, 24, CellValue::fromNumber(7));
    QCOMPARE(block.value(201, 24), CellValue::fromNumber(7));
    // Outside the rectangle: reads empty, writes nothing.
    block.setValue(300, 1, CellValue::fromNumber(1));
    block.setText(300, 1, QStringLiteral("x"));
    QVERIFY(block.value(300, 1).isEmpty());
    QCOMPARE(block.writtenCount(), 0);

    QVERIFY(!CellBlock(0, 1, 1, 1).isValid());
    QVERIFY(!CellBlock(1, 1, 0, 5).isValid());
}

void TestCellBlock::writesAreMarkedPerCell()
{
    CellBlock block(1, 1, 3, 3);
    block.setText(2, 2, QStringLiteral(" 5"));
    block.setText(2, 2, QStringLiteral(" 6"));
    block.setText(3, 1, QString());
    QCOMPARE(block.writtenCount(), 2);
    QVERIFY(block.isWritten(2, 2));
    QVERIFY(block.isWritten(3, 1));
    QVERIFY(!block.isWritten(1, 1));
    QCOMPARE(block.writtenText(2, 2), QStringLiteral(" 6"));
}

// Every written cell in exactly one rectangle, no unwritten cell in any: rows 2..4 of columns
// 2..3 and of column 5, and row 6 alone; then runs of different widths, which stay apart.
void TestCellBlock::writtenRectsHoldWrittenCellsOnly()
{
    CellBlock block(1, 1, 6, 6);
    for (int row = 2; row <= 4; ++row) {
        for (int column : {2, 3, 5})
            block.setText(row, column, QStringLiteral(" 1"));
    }
    block.setText(6, 1, QStringLiteral(" 1"));
    block.setText(6, 2, QStringLiteral(" 1"));
    CellBlock holes(1, 1, 6, 6);
    for (int row = 2; row <= 4; ++row)
        holes.setText(row, 2, QStringLiteral("x"));
    holes.setText(3, 3, QStringLiteral("x"));

    const QVector<CellRect> rects = block.writtenRects();
    const QVector<CellRect> expected = {{2, 2, 3, 2}, {2, 5, 3, 1}, {6, 1, 1, 2}};
    QCOMPARE(rects, expected);
    int covered = 0;
    for (const CellRect &r : rects)
        covered += r.rows * r.columns;
    QCOMPARE(covered, block.writtenCount());

    const QVector<CellRect> split = {{2, 2, 1, 1}, {3, 2, 1, 2}, {4, 2, 1, 1}};
    QCOMPARE(holes.writtenRects(), split);
}

QTEST_APPLESS_MAIN(TestCellBlock)
#include "tst_cellblock.moc"
