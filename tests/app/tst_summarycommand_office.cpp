// "汇  总" with the real office, over templates made here through the office layer.
#include "calcspreadsheet.h"
#include "libreofficesuite.h"
#include "sharedoffice.h"
#include "summarytemplates.h"
#include "testwindow.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kTemplates = summaryTemplateNames();

// A template: its name in A1, a row label in A2 and a total of column B under row 200.
bool writeTemplate(LibreOfficeSuite &suite, const QString &path, const QString &name)
{
    CalcSpreadsheet sheet(suite.process());
    return sheet.createNew().ok() && sheet.writeCell(1, 1, name).ok() &&
           sheet.writeCell(2, 1, QStringLiteral("大专院校")).ok() &&
           sheet.writeFormula(201, 2, QStringLiteral("=SUM(B2:B200)")).ok() &&
           sheet.saveAs(path).ok();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isXls(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           file.read(8) == QByteArray::fromHex("d0cf11e0a1b11ae1"); // an OLE2 compound file
}

} // namespace

class TestSummaryCommandOffice : public OfficeTestCase
{
    Q_OBJECT

    CellValue cell(const QString &path, int row, int column)
    {
        CalcSpreadsheet sheet(suite().process());
        CellValue value;
        if (sheet.open(path).ok())
            sheet.readCell(row, column, &value);
        return value;
    }

private slots:
    void summariesFromTemplates()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        for (const QString &name : kTemplates)
            QVERIFY(writeTemplate(suite(), folder.filePath(name + ".xls"), name));
        {
            RecordStore store;
            QVERIFY(store.open(dir.path()));
            for (const char *papers : {"3", "4"}) {
                store.addNew();
                store.setValue(RecordColumns::indexOf(u"JB25"), QStringLiteral("01.大专院校"));
                store.setValue(RecordColumns::indexOf(u"JG802"), QString::fromLatin1(papers));
            }
            QVERIFY(store.close());
        }
        TestWindow form(dir.path(), sharedOffice());
        ScriptedPrompts &prompts = form.prompts;
        QVERIFY2(form.load(), qPrintable(form.loadError));
        form.form().show();
        QPushButton *button = form.button(QStringLiteral("CommandSum"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral("汇总完成。")});

        for (const QString &name : kTemplates) {
            const QString output = folder.filePath(name + "_2011.xls");
            QVERIFY2(isXls(output), qPrintable(output));
            QCOMPARE(cell(output, 1, 1).string, name);
        }
        // Papers: 7 in column 2 of rows 2, 15 and 149; the label stays; the total sees them.
        const QString papers = folder.filePath(kTemplates[0] + "_2011.xls");
        QCOMPARE(cell(papers, 2, 1).string, QStringLiteral("大专院校"));
        QCOMPARE(cell(papers, 2, 2), CellValue::fromNumber(7));
        QCOMPARE(cell(papers, 201, 2), CellValue::fromNumber(21));

        // A second run replaces the outputs; a missing template is reported.
        form.store().setValue(RecordColumns::indexOf(u"JG802"), QStringLiteral("10"));
        QVERIFY(QFile::remove(folder.filePath(kTemplates[1] + ".xls")));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(cell(papers, 2, 2), CellValue::fromNumber(14));
        QVERIFY(prompts.lastText().contains(kTemplates[1] + "_2011.xls"));
        QVERIFY(!prompts.lastText().contains(kTemplates[0] + "_2011.xls"));

        // A template of other bytes is no workbook: its output is not written, the earlier
        // one stays as it was.
        const QString funds = folder.filePath(kTemplates[3] + "_2011.xls");
        const QByteArray earlier = contents(funds);
        QVERIFY(isXls(funds));
        QFile noise(folder.filePath(kTemplates[3] + ".xls"));
        QVERIFY(noise.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(noise.write(QByteArray("项目,资金\r\n1,2\r\n").repeated(2000)) > 0);
        noise.close();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(prompts.lastText().contains(kTemplates[3] + "_2011.xls"));
        QCOMPARE(contents(funds), earlier);
    }
};

QTEST_MAIN(TestSummaryCommandOffice)
#include "tst_summarycommand_office.moc"
