// The private office process: started on use, never outliving the program, and a hung call
// ends with an error. Runs the real office.
#include "calcspreadsheet.h"
#include "officeprocess.h"
#include "officeprofile.h"

#include <QProcess>
#include <QSettings>
#include <QtTest>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

bool processExists(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

bool waitUntilGone(qint64 pid, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (processExists(pid) && !deadline.hasExpired())
        QThread::msleep(50);
    return !processExists(pid);
}

// The child half of officeEndsWithTheProgram: starts an office, prints its id and leaves the
// way it is told to.
int runChild(const QByteArray &how)
{
    auto *process = new OfficeProcess;
    const OfficeStatus status = process->start();
    if (!status.ok()) {
        std::fprintf(stderr, "%s\n", status.text().toLocal8Bit().constData());
        return 2;
    }
    std::printf("%lld\n", process->processId());
    std::fflush(stdout);
    if (how == "return") {
        delete process;
        return 0;
    }
    if (how == "exit")
        std::exit(0); // no destructor runs
    std::abort();     // a crash
}

} // namespace

class TestOfficeProcess : public QObject
{
    Q_OBJECT

private slots:
    void startsOnceAndStops();
    void officeEndsWithTheProgram_data();
    void officeEndsWithTheProgram();
    void failureToConnectLeavesNothing();
    void hungCallEndsWithAnError();
    void twoProcessesDoNotMeet();
    void profileSeedIsReadFromTheInstallation();
};

void TestOfficeProcess::startsOnceAndStops()
{
    OfficeProcess office;
    QVERIFY(!office.isRunning());
    QCOMPARE(office.processId(), 0);
    QVERIFY(office.isHeadless()); // tests run without a display

    const OfficeStatus status = office.start();
    QVERIFY2(status.ok(), qPrintable(status.text()));
    const qint64 pid = office.processId();
    QVERIFY(processExists(pid));
    QCOMPARE(office.generation(), 1);
    QCOMPARE(office.documentCount(), 0);

    // Starting again reuses the running office.
    QVERIFY(office.start().ok());
    QCOMPARE(office.processId(), pid);
    QCOMPARE(office.generation(), 1);

    office.stop();
    QVERIFY(!office.isRunning());
    QVERIFY(!processExists(pid));
}

void TestOfficeProcess::officeEndsWithTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("normal end") << "return";
    QTest::newRow("exit without destructors") << "exit";
    QTest::newRow("crash") << "abort";
}

void TestOfficeProcess::officeEndsWithTheProgram()
{
    QFETCH(QString, how);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), how});
    QVERIFY(child.waitForFinished(120000));
    const qint64 pid = child.readAllStandardOutput().trimmed().toLongLong();
    QVERIFY2(pid > 0, child.readAllStandardError().constData());
    QVERIFY2(waitUntilGone(pid, 5000), "the office outlived the program");
}

void TestOfficeProcess::failureToConnectLeavesNothing()
{
    OfficeProcess office;
    office.setConnectTimeout(1); // no office answers that fast
    CalcSpreadsheet sheet(office);
    const OfficeStatus status = sheet.createNew();
    QCOMPARE(status.number(), int(OfficeStatus::CannotStart));
    QVERIFY2(status.text().contains(QStringLiteral("没有应答")), qPrintable(status.text()));
    QVERIFY(!office.isRunning());
    QCOMPARE(office.processId(), 0);
    QCOMPARE(office.generation(), 0);
    // With time enough it starts.
    office.setConnectTimeout(90000);
    QVERIFY(sheet.createNew().ok());
}

void TestOfficeProcess::hungCallEndsWithAnError()
{
    OfficeProcess office;
    QVERIFY(office.start().ok());
    CalcSpreadsheet sheet(office);
    QVERIFY(sheet.createNew().ok());
    const qint64 hung = office.processId();

    office.setCallTimeout(2000);
    ::kill(pid_t(hung), SIGSTOP); // the office stops answering
    QElapsedTimer timer;
    timer.start();
    CellValue value;
    const OfficeStatus status = sheet.readCell(1, 1, &value);
    QVERIFY(!status.ok());
    QVERIFY(timer.elapsed() < 30000);
    QVERIFY2(status.text().contains(QStringLiteral("没有响应")), qPrintable(status.text()));
    QCOMPARE(status.number(), int(OfficeStatus::OfficeStopped));
    QVERIFY(waitUntilGone(hung, 5000));
    QVERIFY(!office.isRunning());
    QVERIFY(!sheet.isOpen());

    // The next use starts a new office.
    office.setCallTimeout(120000);
    const OfficeStatus again = sheet.createNew();
    QVERIFY2(again.ok(), qPrintable(again.text()));
    QVERIFY(office.processId() != hung);
    QCOMPARE(office.generation(), 2);
}

void TestOfficeProcess::twoProcessesDoNotMeet()
{
    OfficeProcess first;
    OfficeProcess second;
    QVERIFY(first.start().ok());
    QVERIFY(second.start().ok());
    QVERIFY(first.processId() != second.processId());
    CalcSpreadsheet sheet(first);
    QVERIFY(sheet.createNew().ok());
    QCOMPARE(first.documentCount(), 1);
    QCOMPARE(second.documentCount(), 0);
}

// A new profile starts quickly only when it states the installed version and build: both must
// be found in the installed office (an office of another layout would start slowly again).
void TestOfficeProcess::profileSeedIsReadFromTheInstallation()
{
    const QString program = QStringLiteral(WOBZEL_LO_PROGRAM_DIR);
    const OfficeProfile::Installation installed = OfficeProfile::readInstallation(program);
    // The product key names the product and its version: "LibreOffice 7.4".
    const QSettings bootstrap(program + QStringLiteral("/bootstraprc"), QSettings::IniFormat);
    const QString productKey = bootstrap.value(QStringLiteral("Bootstrap/ProductKey")).toString();
    QVERIFY2(!installed.version.isEmpty() &&
                 productKey.endsWith(QLatin1Char(' ') + installed.version),
             qPrintable(installed.version + QStringLiteral(" / ") + productKey));
    QVERIFY(!installed.buildId.isEmpty());
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argv[2]);
    QCoreApplication app(argc, argv);
    TestOfficeProcess test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_officeprocess.moc"
