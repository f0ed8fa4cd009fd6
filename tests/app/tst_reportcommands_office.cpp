// The report commands with the real office, through the buttons of the main window: a
// template with the report's bookmarks made by the test, the made .doc read back, and printing
// on the machine's default print queue when that queue makes PDF files.
#include "libreofficesuite.h"
#include "reporttemplate.h"
#include "testrecords.h"
#include "testwindow.h"
#include "writerwordapp.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kFailed = QStringLiteral("报表生成失败！请关闭所有Word文件，重新启动系统后重试。");
// Latin letters without ligatures: the PDF print queue keeps them as text (CJK glyphs and
// ligatures lose their text there).
const QString kName = QStringLiteral("Solar Kiln Study");

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where the default print queue puts its PDF files; empty when it is no PDF queue (cups-pdf).
QString pdfQueueFolder()
{
    const QString queue = run(QStringLiteral("lpstat"), {QStringLiteral("-d")})
                              .section(QStringLiteral(": "), 1)
                              .trimmed();
    if (queue.isEmpty() ||
        !run(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue}).contains(u"cups-pdf:/"))
        return {};
    QFile config(QStringLiteral("/etc/cups/cups-pdf.conf"));
    QString out = QStringLiteral("${HOME}/PDF");
    if (config.open(QIODevice::ReadOnly)) {
        const QRegularExpression line(QStringLiteral("^Out\\s+(\\S+)"),
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(config.readAll()));
        if (match.hasMatch())
            out = match.captured(1);
    }
    return out.replace(QStringLiteral("${HOME}"), QDir::homePath())
        .replace(QStringLiteral("${USER}"), qEnvironmentVariable("USER"));
}

} // namespace

class TestReportCommandsOffice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_window.reset(); }

    void reportHoldsTheRecordAsTheBoxesShowIt();
    void templateLackingABookmarkMakesNoFile();
    void unsafeNumberWritesNothing();
    void allProjectsMakeOneDocumentEach();
    void printingAReportNeverMade();
    void printsOnTheDefaultQueue();

private:
    QString path(const QString &name) const { return QDir(m_folder).filePath(name); }
    QStringList files() const { return QDir(m_folder).entryList(QDir::Files | QDir::Hidden); }
    WriterWordApp &writer() { return m_office->writer(); }
    void click(const char *name)
    {
        if (qstrcmp(name, "CommandReports") != 0)
            QTest::mouseClick(m_window->button(QStringLiteral("CommandEditData")), Qt::LeftButton);
        QTest::mouseClick(m_window->button(QString::fromLatin1(name)), Qt::LeftButton);
    }

    QTemporaryDir m_root;
    QString m_folder;
    QString m_lacking; // a template without the bookmark JB27
    std::unique_ptr<TestWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
    LibreOfficeSuite *m_office = nullptr; // the window's
};

void TestReportCommandsOffice::initTestCase()
{
    m_folder = m_root.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(m_folder));
    QVERIFY(addTestProjects(
        m_folder, {{"201101010002", "乙"}, {"201101010001", kName}, {"201101010003", "丙"}}));
    {
        RecordStore store; // the first by number holds the edge values
        QVERIFY(store.open(m_folder) && store.moveFirst());
        const QStringList values = {
            "TBSJ",  "2011-03-05", "JB82",    "2010-12",        "JB61",  "2201-2203.科技成果转化",
            "JB25",  "99.其他",    "JB72_01", "42.贷款不落实 ", "JB421", "1.男",
            "JG920", "7"};
        for (int i = 0; i < values.size(); i += 2)
            QVERIFY(store.setValue(RecordColumns::indexOf(values[i]), values[i + 1]));
        QVERIFY(store.close());
    }
    m_window = std::make_unique<TestWindow>(m_folder, std::make_unique<LibreOfficeSuite>());
    m_office = &m_window->officeAs<LibreOfficeSuite>();
    m_prompts = &m_window->prompts;
    QVERIFY2(m_window->load(), qPrintable(m_window->loadError));
    m_window->show();

    m_lacking = m_root.filePath(QStringLiteral("lacking.doc"));
    OfficeStatus status = makeReportTemplate(writer(), path(QStringLiteral("2011模板.doc")));
    QVERIFY2(status.ok(), qPrintable(status.text()));
    status = makeReportTemplate(writer(), m_lacking, {QStringLiteral("JB27")});
    QVERIFY2(status.ok(), qPrintable(status.text()));
}

void TestReportCommandsOffice::reportHoldsTheRecordAsTheBoxesShowIt()
{
    // The current record is the first by number; a name typed is not stored yet.
    QTest::keyClicks(m_window->lineBox(QStringLiteral("TextItemName")), QStringLiteral("-2"));
    click("CommandReport");
    QCOMPARE(m_prompts->lastText(),
             QStringLiteral("报表已生成，文件名为：201101010001.doc，报表格式可能需要调整。"));
    QMap<QString, QString> texts;
    QVERIFY(readReport(writer(), path(QStringLiteral("201101010001.doc")), &texts).ok());
    const QMap<QString, QString> expected = {{"JB01", kName + "-2"},
                                             {"TBSJ_1", "2011"},
                                             {"TBSJ_2", "03"},
                                             {"TBSJ_3", "05"},
                                             {"JB82_1", "2010"},
                                             {"JB82_2", "12"},
                                             {"JB61", "2201"},
                                             {"JB25", "99"},
                                             {"JB72_01", "42"},
                                             {"JB421", "1.男"},
                                             {"JB27", ""},
                                             {"JG920", "7"},
                                             {"JDCG", ""}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(texts.value(it.key(), QStringLiteral("(missing)")), it.value());
    QCOMPARE(texts.size(), 136);

    const QStringList before = files();
    click("CommandReport"); // a second time: still the one file, the later one
    QCOMPARE(m_prompts->shown.size(), 2);
    QCOMPARE(files(), before);
    QCOMPARE(writer().documentCount(), 0);
}

void TestReportCommandsOffice::templateLackingABookmarkMakesNoFile()
{
    const QString templatePath = path(QStringLiteral("2011模板.doc"));
    QVERIFY(QFile::rename(templatePath, templatePath + QStringLiteral(".full")));
    QVERIFY(QFile::copy(m_lacking, templatePath));
    QVERIFY(m_window->store().moveTo(1));
    m_prompts->shown.clear();
    click("CommandReport");
    QVERIFY(QFile::remove(templatePath));
    QVERIFY(QFile::rename(templatePath + QStringLiteral(".full"), templatePath));

    QCOMPARE(m_prompts->shown.size(), 1);
    QVERIFY(m_prompts->lastText().startsWith(kFailed));
    QVERIFY(m_prompts->shown.last().details.contains(QStringLiteral("JB27")));
    QVERIFY(!QFile::exists(path(QStringLiteral("201101010002.doc"))));
    QCOMPARE(m_office->process().documentCount(), 0);
}

void TestReportCommandsOffice::unsafeNumberWritesNothing()
{
    const QStringList before = files();
    m_prompts->shown.clear();
    m_window->binder().setText(QStringLiteral("TextItemNo"), QStringLiteral("../escape"));
    click("CommandReport");
    m_window->binder().setText(QStringLiteral("TextItemNo"), QStringLiteral("201101010002"));
    QVERIFY(m_prompts->lastText().startsWith(kFailed));
    QCOMPARE(files(), before);
    QCOMPARE(QDir(m_root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("lacking.doc"), QStringLiteral("program")}));
}

void TestReportCommandsOffice::allProjectsMakeOneDocumentEach()
{
    QVERIFY(QFile::remove(path(QStringLiteral("201101010001.doc"))));
    m_prompts->shown.clear();
    m_prompts->answers << true;
    click("CommandReports");
    QCOMPARE(m_prompts->lastText(), QStringLiteral("报表已全部生成，格式可能需要调整。"));
    QCOMPARE(m_prompts->shown.size(), 2);
    QCOMPARE(QDir(m_folder).entryList({QStringLiteral("2011????????.doc")}),
             QStringList({QStringLiteral("201101010001.doc"), QStringLiteral("201101010002.doc"),
                          QStringLiteral("201101010003.doc")}));
    QVERIFY(m_window->store().isPastTheEnd());
}

void TestReportCommandsOffice::printingAReportNeverMade()
{
    QVERIFY(m_window->store().moveTo(2));
    QVERIFY(QFile::remove(path(QStringLiteral("201101010003.doc"))));
    click("CommandPrint");
    QCOMPARE(m_prompts->lastText(), QStringLiteral("报表文件没有找到，请重新生成报表文件。"));
    QVERIFY(m_office->process().documentCount() <= 0);
}

void TestReportCommandsOffice::printsOnTheDefaultQueue()
{
    const QString output = pdfQueueFolder();
    if (output.isEmpty())
        QSKIP("The default printer is no PDF print queue (cups-pdf); .ci/run sets one up.");
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(m_window->store().moveTo(0));
    m_prompts->shown.clear();
    click("CommandPrint");
    QVERIFY2(m_prompts->shown.isEmpty(), qPrintable(m_prompts->lastText()));
    QString text;
    QDeadlineTimer deadline(60000);
    const QString name = kName + QStringLiteral("-2"); // as the walk stored it
    while (!text.contains(name) && !deadline.hasExpired()) {
        QTest::qWait(500);
        for (const QFileInfo &pdf : QDir(output).entryInfoList({QStringLiteral("*.pdf")})) {
            if (pdf.lastModified() >= start)
                text += run(QStringLiteral("pdftotext"), {pdf.filePath(), QStringLiteral("-")});
        }
    }
    QVERIFY2(text.contains(name), qPrintable(QStringLiteral("no printed report in ") + output));
}

QTEST_MAIN(TestReportCommandsOffice)
#include "tst_reportcommands_office.moc"
