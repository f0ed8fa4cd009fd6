// Loading the office library: a library that cannot be loaded gives office programs that fail
// every office call with the reason, and the built library gives the real ones.
#include "officeloader.h"
#include "spreadsheet.h"
#include "unavailableoffice.h"
#include "wordapp.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestOfficeLoader : public QObject
{
    Q_OBJECT

private slots:
    void unloadableLibraryFailsEveryOfficeCall_data();
    void unloadableLibraryFailsEveryOfficeCall();
    void loadsTheBuiltLibrary();
};

void TestOfficeLoader::unloadableLibraryFailsEveryOfficeCall_data()
{
    QTest::addColumn<QString>("library"); // relative: made in the test's folder
    QTest::addColumn<QString>("reasonHolds");
    QTest::newRow("missing") << "libwobzel2011-office.so"
                             << "libwobzel2011-office.so";
    QTest::newRow("not a library") << "empty/libwobzel2011-office.so"
                                   << "empty";
    QTest::newRow("no entry point")
        << QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6")
        << "wobzel2011_createOfficeSuite";
}

void TestOfficeLoader::unloadableLibraryFailsEveryOfficeCall()
{
    QFETCH(QString, library);
    QFETCH(QString, reasonHolds);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("empty")));
    QFile empty(dir.filePath(QStringLiteral("empty/libwobzel2011-office.so")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    const QString existing = empty.fileName();

    const std::unique_ptr<OfficeSuite> suite =
        OfficeLoader::createSuite(QDir::isAbsolutePath(library) ? library : dir.filePath(library));
    const std::unique_ptr<Spreadsheet> sheet = suite->createSpreadsheet();
    WordApp &word = suite->wordApp();
    CellValue value;
    const QList<OfficeStatus> calls = {sheet->open(existing),
                                       sheet->readCell(1, 1, &value),
                                       sheet->saveAs(dir.filePath(QStringLiteral("x.xls"))),
                                       word.addDocument(existing),
                                       word.typeText(QStringLiteral("x")),
                                       word.printOut(),
                                       word.setVisible(true)};
    for (const OfficeStatus &status : calls) {
        QCOMPARE(status.number(), int(OfficeStatus::CannotStart));
        QVERIFY2(status.text().startsWith(QStringLiteral("办公软件无法使用：")) &&
                     status.text().contains(reasonHolds),
                 qPrintable(status.text()));
    }
    // Nothing runs, so there is nothing to close or quit.
    QVERIFY(sheet->close().ok());
    QVERIFY(word.quit().ok());
    QVERIFY(!word.isRunning());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.xls"))));
}

void TestOfficeLoader::loadsTheBuiltLibrary()
{
    const std::unique_ptr<OfficeSuite> suite =
        OfficeLoader::createSuite(QStringLiteral(WOBZEL_OFFICE_LIBRARY));
    QVERIFY(suite);
    QVERIFY2(!dynamic_cast<UnavailableOffice *>(suite.get()),
             qPrintable(static_cast<UnavailableOffice *>(suite.get())->reason()));
    // Loading starts no office.
    QVERIFY(!suite->wordApp().isRunning());
    QVERIFY(!suite->createSpreadsheet()->isOpen());
}

QTEST_GUILESS_MAIN(TestOfficeLoader)
#include "tst_officeloader.moc"
