// The private office process: started on use, never outliving the program, and a hung call
// ends with an error. Runs the real office.
#include "calcspreadsheet.h"
#include "officeenvironment.h"
#include "officeprocess.h"
#include "officeprofile.h"
#include "writerwordapp.h"

#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QtTest>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

volatile sig_atomic_t sigpipesSeen = 0;

void countSigpipe(int)
{
    sigpipesSeen = sigpipesSeen + 1;
}

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

// Sets the locale variables of this process to `variables` ("NAME=value", the others
// unset) for the life of the object; the earlier ones come back afterwards.
class LocaleVariables
{
public:
    explicit LocaleVariables(const QStringList &variables)
    {
        for (char **e = environ; *e; ++e) {
            const QByteArray entry(*e);
            if (entry.startsWith("LANG") || entry.startsWith("LC_"))
                m_earlier << entry;
        }
        for (const QByteArray &entry : std::as_const(m_earlier))
            qunsetenv(entry.left(entry.indexOf('=')).constData());
        for (const QString &variable : variables)
            qputenv(variable.section(u'=', 0, 0).toLatin1().constData(),
                    variable.section(u'=', 1).toLatin1());
        m_set = variables;
    }
    ~LocaleVariables()
    {
        for (const QString &variable : std::as_const(m_set))
            qunsetenv(variable.section(u'=', 0, 0).toLatin1().constData());
        for (const QByteArray &entry : std::as_const(m_earlier))
            qputenv(entry.left(entry.indexOf('=')).constData(), entry.mid(entry.indexOf('=') + 1));
    }

private:
    QList<QByteArray> m_earlier;
    QStringList m_set;
};

std::vector<std::string> entries(const QStringList &list)
{
    std::vector<std::string> result;
    for (const QString &entry : list)
        result.push_back(entry.toStdString());
    return result;
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
    void officeEndingDuringAWriteFailsTheWrite();
    void twoProcessesDoNotMeet();
    void profileSeedIsReadFromTheInstallation();
    void officeEnvironmentReadsNamesAsUtf8_data();
    void officeEnvironmentReadsNamesAsUtf8();
    void chineseFileNamesWithoutALocale_data();
    void chineseFileNamesWithoutALocale();
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
    QVERIFY2(status.text().endsWith(QStringLiteral("办公软件在 2 秒内没有响应，已被终止。")),
             qPrintable(status.text()));
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

// A program with a SIGPIPE handler of its own (the test framework has one that ends the
// program): a write to an office that ended during it fails the call, and the handler hears
// nothing. The office is stopped first, so that the bridge is in the middle of a long write,
// the connection full, when the office ends.
void TestOfficeProcess::officeEndingDuringAWriteFailsTheWrite()
{
    struct sigaction counting = {};
    struct sigaction earlier = {};
    counting.sa_handler = countSigpipe;
    sigemptyset(&counting.sa_mask);
    QCOMPARE(::sigaction(SIGPIPE, &counting, &earlier), 0);
    const auto restore = qScopeGuard([&] { ::sigaction(SIGPIPE, &earlier, nullptr); });
    sigpipesSeen = 0;

    OfficeProcess office;
    CalcSpreadsheet sheet(office);
    QVERIFY(sheet.createNew().ok());
    QVERIFY(sheet.writeCell(1, 1, QStringLiteral("1")).ok());
    const QString large(16 * 1024 * 1024, u'x');
    const pid_t pid = pid_t(office.processId());
    ::kill(pid, SIGSTOP);
    std::thread killer([pid] {
        QThread::msleep(3000);
        ::kill(pid, SIGKILL);
    });
    const OfficeStatus status = sheet.writeCell(1, 2, large);
    killer.join();
    QCOMPARE(int(sigpipesSeen), 0);
    QCOMPARE(status.text(), QStringLiteral("写入单元格失败：办公软件已退出。"));
    QCOMPARE(status.number(), int(OfficeStatus::OfficeStopped));
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

void TestOfficeProcess::officeEnvironmentReadsNamesAsUtf8_data()
{
    QTest::addColumn<QStringList>("caller");
    QTest::addColumn<QStringList>("office");
    const QString path = QStringLiteral("PATH=/usr/bin");
    QTest::newRow("no locale") << QStringList{path} << QStringList{path, "LC_CTYPE=C.UTF-8"};
    QTest::newRow("LC_ALL=C") << QStringList{"LC_ALL=C", path, "LANG=C.UTF-8"}
                              << QStringList{path, "LANG=C.UTF-8", "LC_ALL=C.UTF-8"};
    QTest::newRow("LANG=C, LC_CTYPE=POSIX")
        << QStringList{"LANG=C", "LC_CTYPE=POSIX", "LC_NUMERIC=C"}
        << QStringList{"LANG=C", "LC_NUMERIC=C", "LC_CTYPE=C.UTF-8"};
    QTest::newRow("LANG=C.UTF-8, LC_CTYPE=C") << QStringList{"LANG=C.UTF-8", "LC_CTYPE=C"}
                                              << QStringList{"LANG=C.UTF-8", "LC_CTYPE=C.UTF-8"};
    QTest::newRow("a locale not installed")
        << QStringList{"LANG=xx_YY.UTF-8", "LC_ALL="}
        << QStringList{"LANG=xx_YY.UTF-8", "LC_ALL=", "LC_CTYPE=C.UTF-8"};
    // A UTF-8 caller is left as it is, whatever its other categories say.
    QTest::newRow("LANG=C.UTF-8") << QStringList{"LANG=C.UTF-8", "LC_NUMERIC=C", path}
                                  << QStringList{"LANG=C.UTF-8", "LC_NUMERIC=C", path};
    QTest::newRow("LC_ALL=C.utf8 over LANG=C")
        << QStringList{"LANG=C", "LC_ALL=C.utf8"} << QStringList{"LANG=C", "LC_ALL=C.utf8"};
}

void TestOfficeProcess::officeEnvironmentReadsNamesAsUtf8()
{
    QFETCH(QStringList, caller);
    QFETCH(QStringList, office);
    QCOMPARE(officeEnvironment(entries(caller)), entries(office));
}

void TestOfficeProcess::chineseFileNamesWithoutALocale_data()
{
    QTest::addColumn<QStringList>("locale");
    QTest::newRow("no locale variables") << QStringList();
    QTest::newRow("LC_ALL=C") << QStringList{"LC_ALL=C", "LANG=C"};
}

// An office started from a caller that names no UTF-8 locale stores and opens workbooks and
// documents under Chinese names.
void TestOfficeProcess::chineseFileNamesWithoutALocale()
{
    QFETCH(QStringList, locale);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("发表论文专著情况.xls"));
    const QString document = dir.filePath(QStringLiteral("2011模板.doc"));
    OfficeProcess office;
    {
        const LocaleVariables variables(locale);
        const OfficeStatus started = office.start();
        QVERIFY2(started.ok(), qPrintable(started.text()));
    }
    CalcSpreadsheet sheet(office);
    QVERIFY(sheet.createNew().ok());
    QVERIFY(sheet.writeCell(2, 3, QStringLiteral("论文")).ok());
    OfficeStatus status = sheet.saveAs(workbook);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    status = sheet.open(workbook);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    CellValue value;
    QVERIFY(sheet.readCell(2, 3, &value).ok());
    QCOMPARE(value.string, QStringLiteral("论文"));

    WriterWordApp word(office);
    QVERIFY(word.addBlankDocument().ok());
    QVERIFY(word.typeText(QStringLiteral("项目名称")).ok());
    status = word.saveAs(document);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    status = word.addDocument(document);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QString text;
    QVERIFY(word.documentText(&text).ok());
    QCOMPARE(text, QStringLiteral("项目名称"));
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
