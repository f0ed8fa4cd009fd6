// The report document over the word-processor stand-in: the bookmark table, what each
// bookmark gets, the calls of one document, failures, and the walk over all projects.
#include "fakeoffice.h"
#include "fieldcatalogue.h"
#include "projectreport.h"
#include "recordstore.h"
#include "reportbookmarks.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using ProjectReport::Outcome;

class TestProjectReport : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void bookmarksCoverEveryEnteredField();
    void bookmarkGetsItsFieldAsShownAndCut_data();
    void bookmarkGetsItsFieldAsShownAndCut();
    void oneDocumentIsFilledInOneCallStoredAndQuit();
    void failureClosesTheDocumentUnsavedAndKeepsTheOldReport_data();
    void failureClosesTheDocumentUnsavedAndKeepsTheOldReport();
    void unsafeNumberUsesNoWordProcessor_data();
    void unsafeNumberUsesNoWordProcessor();
    void walkMakesEveryReportAndEndsPastTheLastRow();

private:
    QString path(const QString &name) const { return QDir::cleanPath(m_dir->filePath(name)); }
    static SurveyRecord project(const QString &number)
    {
        SurveyRecord record;
        record.setValue(u"JB02", number);
        return record;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeOffice> m_office;
};

void TestProjectReport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_office = std::make_unique<FakeOffice>();
    m_office->documents[path(ProjectReport::templateFileName())].bookmarks =
        ReportBookmarks::names();
}

void TestProjectReport::bookmarksCoverEveryEnteredField()
{
    const QStringList &names = ReportBookmarks::names();
    QCOMPARE(names.size(), ReportBookmarks::Count);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), ReportBookmarks::Count);
    QSet<QString> fields;
    for (const QString &name : names) {
        QVERIFY2(FieldCatalogue::field(ReportBookmarks::fieldOf(name)), qPrintable(name));
        fields << ReportBookmarks::fieldOf(name);
    }
    QCOMPARE(fields.size(), FieldCatalogue::BoundFieldCount);
}

void TestProjectReport::bookmarkGetsItsFieldAsShownAndCut_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("bookmark");
    QTest::addColumn<QString>("typed");
    auto row = [](const char *name, const char *field, const QString &value, const char *bookmark,
                  const QString &typed) {
        QTest::newRow(name) << QString::fromLatin1(field) << value << QString::fromLatin1(bookmark)
                            << typed;
    };
    const QString date = QStringLiteral("2011-03-05");
    row("fill-in year", "TBSJ", date, "TBSJ_1", "2011");
    row("fill-in month", "TBSJ", date, "TBSJ_2", "03");
    row("fill-in day", "TBSJ", date, "TBSJ_3", "05");
    row("month of another form", "TBSJ", "2011/3/5", "TBSJ_2", "3/");
    row("day of a short date", "TBSJ", "2011", "TBSJ_3", "11");
    row("month of a short date", "TBSJ", "2011", "TBSJ_2", "");
    row("appraisal year", "JB82", "2010-12", "JB82_1", "2010");
    row("appraisal month", "JB82", "2010-12", "JB82_2", "12");
    row("plan category range", "JB61", "2201-2203.科技成果转化", "JB61", "2201");
    row("plan category", "JB61", "1100.重大科技专项", "JB61", "1100");
    row("unit nature", "JB25", "99.其他", "JB25", "99");
    row("delay reason", "JB72_01", "42.贷款不落实 ", "JB72_01", "42");
    row("code shorter than its cut", "JB62", "7", "JB62", "7");
    row("empty code", "JB27", "", "JB27", "");
    row("sex whole", "JB421", "1.男", "JB421", "1.男");
    row("competent unit whole", "JB26", "01.省直部门", "JB26", "01.省直部门");
    row("partner nature whole", "JB54", "2.企业", "JB54", "2.企业");
    row("number as its box shows it", "JF4002", "12.5", "JF4002", "13");
    row("several lines", "JDCG", "第一行\r\n第二行", "JDCG", "第一行\r\n第二行");
}

void TestProjectReport::bookmarkGetsItsFieldAsShownAndCut()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, bookmark);
    QFETCH(QString, typed);
    SurveyRecord record = project(QStringLiteral("201101010001"));
    record.setValue(field, value);
    QVERIFY(ProjectReport::GenerateProjectReport(m_office->word, m_dir->path(), record).made());
    const auto texts = m_office->documents.value(path("201101010001.doc")).typed;
    QCOMPARE(texts.size(), ReportBookmarks::Count);
    const int at = int(ReportBookmarks::names().indexOf(bookmark));
    QCOMPARE(texts.at(at), qMakePair(bookmark, typed));
}

void TestProjectReport::oneDocumentIsFilledInOneCallStoredAndQuit()
{
    const Outcome outcome = ProjectReport::GenerateProjectReport(
        m_office->word, m_dir->path(), project(QStringLiteral("201101010001")));
    QVERIFY(outcome.made());
    const QString report = path("201101010001.doc");
    QCOMPARE(m_office->word.calls,
             QStringList({QStringLiteral("addDocument ") + path("2011模板.doc"),
                          QStringLiteral("typeAtBookmarks 136"), QStringLiteral("saveAs ") + report,
                          QStringLiteral("closeDocument"), QStringLiteral("quit")}));
    QStringList filled;
    for (const auto &[bookmark, text] : m_office->documents.value(report).typed)
        filled << bookmark;
    QCOMPARE(filled, ReportBookmarks::names());
    QVERIFY(!m_office->word.isRunning());
}

void TestProjectReport::failureClosesTheDocumentUnsavedAndKeepsTheOldReport_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");
    const QString other = QStringLiteral("报表生成失败！请关闭所有Word文件，重新启动系统后重试。");
    QTest::newRow("template missing")
        << "template"
        << QStringLiteral("报表生成失败！请将报表模板文件“xxxx模板.Doc”复制到安装目录。");
    QTest::newRow("bookmark missing")
        << "bookmark" << other + QStringLiteral("\n文档中没有书签“JB27”。");
    QTest::newRow("report cannot be written") << "write" << other;
    QTest::newRow("office cannot start")
        << "start" << other + QStringLiteral("\n办公软件无法启动（测试）。");
}

void TestProjectReport::failureClosesTheDocumentUnsavedAndKeepsTheOldReport()
{
    QFETCH(QString, failure);
    QFETCH(QString, message);
    const QString report = path("201101010001.doc");
    m_office->documents[report].bookmarks = QStringList{QStringLiteral("old")};
    FakeDocumentFile &templateFile = m_office->documents[path("2011模板.doc")];
    if (failure == "template")
        m_office->documents.remove(path("2011模板.doc"));
    else if (failure == "bookmark")
        templateFile.bookmarks.removeAll(QStringLiteral("JB27"));
    else if (failure == "write")
        m_office->deniedPaths << report;
    m_office->cannotStart = failure == "start";

    const Outcome outcome = ProjectReport::GenerateProjectReport(
        m_office->word, m_dir->path(), project(QStringLiteral("201101010001")));
    QVERIFY(!outcome.made());
    QVERIFY(ProjectReport::failureText(outcome).startsWith(message));
    QCOMPARE(m_office->documents.value(report).bookmarks, QStringList{QStringLiteral("old")});
    QCOMPARE(m_office->word.documentCount(), 0);
    for (const FakeWordApp::Document &document : m_office->word.documents)
        QVERIFY(document.closed && document.savedAs.isEmpty());
    QCOMPARE(m_office->word.quits, 0); // the next report uses the same instance
}

void TestProjectReport::unsafeNumberUsesNoWordProcessor_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("empty") << QString();
    QTest::newRow("slash") << QStringLiteral("2011/0001");
    QTest::newRow("backslash") << QStringLiteral("2011\\0001");
    QTest::newRow("parent") << QStringLiteral("..");
    QTest::newRow("NUL") << QStringLiteral("2011") + QChar(0) + QStringLiteral("1");
    QTest::newRow("the template's name") << QStringLiteral("2011模板");
}

void TestProjectReport::unsafeNumberUsesNoWordProcessor()
{
    QFETCH(QString, number);
    const Outcome outcome =
        ProjectReport::GenerateProjectReport(m_office->word, m_dir->path(), project(number));
    QCOMPARE(outcome.kind, Outcome::Kind::Failed);
    QVERIFY(m_office->word.calls.isEmpty());
    QCOMPARE(m_office->documents.size(), 1); // the template alone
}

void TestProjectReport::walkMakesEveryReportAndEndsPastTheLastRow()
{
    RecordStore store;
    QVERIFY(store.open(m_dir->path()));
    QStringList failures;
    const auto walk = [&] {
        return ProjectReport::generateAll(store, m_office->word, m_dir->path(),
                                          [&](const Outcome &o) { failures << o.reason; });
    };
    ProjectReport::WalkResult result = walk();
    QCOMPARE(result.count, 0); // an empty table makes nothing
    QVERIFY(m_office->word.calls.isEmpty());

    for (const char *number : {"201101010003", "../x", "201101010001"}) {
        QVERIFY(store.addNew());
        QVERIFY(store.setValue(1, QString::fromLatin1(number)));
    }
    result = walk();
    QCOMPARE(result.count, 3);
    QCOMPARE(result.made, 2);
    QCOMPARE(failures.size(), 1);
    QVERIFY(store.isPastTheEnd());
    QVERIFY(m_office->documents.contains(path("201101010001.doc")));
    QVERIFY(m_office->documents.contains(path("201101010003.doc")));
    QCOMPARE(m_office->documents.size(), 3);
}

QTEST_GUILESS_MAIN(TestProjectReport)
#include "tst_projectreport.moc"
