// The report document over the word-processor stand-in: the bookmark table, what each
// bookmark gets, the calls of one document, and its failures.
#include "fakeoffice.h"
#include "fieldcatalogue.h"
#include "projectfilename.h"
#include "projectreport.h"
#include "reportbookmarks.h"
#include "surveyrecord.h"

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
    void failureWritesNothingAndClosesTheDocument_data();
    void failureWritesNothingAndClosesTheDocument();
    void numberAsLongAsTheFileSystemAllows();

private:
    QString path(const char *name) const { return QDir::cleanPath(m_dir->filePath(name)); }
    Outcome generate(const SurveyRecord &record)
    {
        return ProjectReport::GenerateProjectReport(m_office->word, m_dir->path(), record);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeOffice> m_office;
    SurveyRecord m_record;
};

void TestProjectReport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_office = std::make_unique<FakeOffice>();
    m_office->documents[path("2011模板.doc")].bookmarks = ReportBookmarks::names();
    m_record = SurveyRecord();
    m_record.setValue(u"JB02", QStringLiteral("201101010001"));
}

void TestProjectReport::bookmarksCoverEveryEnteredField()
{
    const QStringList &names = ReportBookmarks::names();
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
    const char *rows[][4] = {
        {"TBSJ", "2011-03-05", "TBSJ_1", "2011"},
        {"TBSJ", "2011-03-05", "TBSJ_2", "03"},
        {"TBSJ", "2011-03-05", "TBSJ_3", "05"},
        {"TBSJ", "2011/3/5", "TBSJ_2", "3/"},
        {"TBSJ", "2011", "TBSJ_2", ""},
        {"JB82", "2010-12", "JB82_1", "2010"},
        {"JB82", "2010-12", "JB82_2", "12"},
        {"JB61", "2201-2203.科技成果转化", "JB61", "2201"},
        {"JB61", "1100.重大科技专项", "JB61", "1100"},
        {"JB25", "99.其他", "JB25", "99"},
        {"JB72_01", "42.贷款不落实 ", "JB72_01", "42"},
        {"JB62", "7", "JB62", "7"},
        {"JB421", "1.男", "JB421", "1.男"},
        {"JB54", "2.企业", "JB54", "2.企业"},
        {"JB27", "", "JB27", ""},
        {"JB27", "2.应用研究", "JB27", "2"},
        {"JB64", "4.自有技术", "JB64", "4"},
        {"JB65", "11.专利", "JB65", "11"},
        {"JB71", "3.拖延", "JB71", "3"},
        {"JB81", "2.否", "JB81", "2"},
        {"JB83", "1.国际领先", "JB83", "1"},
        {"JGCSCD", "2.中试", "JGCSCD", "2"},
        {"JF4002", "12.5", "JF4002", "13"}, // as its number box shows it
    };
    for (const auto &row : rows) {
        QTest::addRow("%s %s", row[2], row[1])
            << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2])
            << QString::fromUtf8(row[3]);
    }
}

void TestProjectReport::bookmarkGetsItsFieldAsShownAndCut()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, bookmark);
    QFETCH(QString, typed);
    m_record.setValue(field, value);
    QVERIFY(generate(m_record).made());
    const auto texts = m_office->documents.value(path("201101010001.doc")).typed;
    QCOMPARE(texts.at(int(ReportBookmarks::names().indexOf(bookmark))), qMakePair(bookmark, typed));
}

void TestProjectReport::oneDocumentIsFilledInOneCallStoredAndQuit()
{
    QVERIFY(generate(m_record).made());
    const QString report = path("201101010001.doc");
    QCOMPARE(m_office->word.calls,
             QStringList({QStringLiteral("addDocument ") + path("2011模板.doc"),
                          QStringLiteral("typeAtBookmarks 136"), QStringLiteral("saveAs ") + report,
                          QStringLiteral("closeDocument"), QStringLiteral("quit")}));
    QStringList filled;
    for (const auto &[bookmark, text] : m_office->documents.value(report).typed)
        filled << bookmark;
    QCOMPARE(filled, ReportBookmarks::names());
}

void TestProjectReport::failureWritesNothingAndClosesTheDocument_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reason"); // shown in the message box's details
    const QString other = QStringLiteral("报表生成失败！请关闭所有Word文件，重新启动系统后重试。");
    const QString number = QStringLiteral("201101010001");
    QTest::newRow("template missing")
        << "template" << number
        << QStringLiteral("报表生成失败！请将报表模板文件“xxxx模板.Doc”复制到安装目录。")
        << QString();
    QTest::newRow("bookmark missing")
        << "bookmark" << number << other << QStringLiteral("文档中没有书签“JB27”。");
    QTest::newRow("report not writable") << "write" << number << other << QString();
    QTest::newRow("office cannot start")
        << "start" << number << other << QStringLiteral("办公软件无法启动（测试）。");
    for (const QString &unsafe :
         {QString(), QStringLiteral("2011/1"), QStringLiteral("2011\\1"), QStringLiteral(".."),
          QStringLiteral("1") + QChar(0), QStringLiteral("2011模板")})
        QTest::addRow("number \"%s\"", qPrintable(unsafe)) << "" << unsafe << other << QString();
}

void TestProjectReport::failureWritesNothingAndClosesTheDocument()
{
    QFETCH(QString, failure);
    QFETCH(QString, number);
    QFETCH(QString, message);
    QFETCH(QString, reason);
    const QString report = path("201101010001.doc");
    m_office->documents[report].bookmarks = QStringList{QStringLiteral("old")};
    if (failure == "template")
        m_office->documents.remove(path("2011模板.doc"));
    if (failure == "bookmark")
        m_office->documents[path("2011模板.doc")].bookmarks.removeAll(QStringLiteral("JB27"));
    if (failure == "write")
        m_office->deniedPaths << report;
    m_office->cannotStart = failure == "start";
    m_record.setValue(u"JB02", number);

    const Outcome outcome = generate(m_record);
    QCOMPARE(ProjectReport::failureText(outcome), message);
    QVERIFY(outcome.reason.contains(reason));
    QCOMPARE(m_office->documents.value(report).bookmarks, QStringList{QStringLiteral("old")});
    QCOMPARE(m_office->documents.size(), failure == "template" ? 1 : 2);
    QCOMPARE(m_office->word.documentCount(), 0);
    for (const FakeWordApp::Document &document : m_office->word.documents)
        QVERIFY(document.closed && document.savedAs.isEmpty());
    QCOMPARE(m_office->word.quits, 0); // the next report uses the same instance
    if (failure.isEmpty())             // a number that names no file uses no word processor
        QVERIFY(m_office->word.calls.isEmpty());
}

// "<number>.doc.XXXXXX", the name the document is stored under first, may be as long as the
// file system's longest name, and not one byte longer.
void TestProjectReport::numberAsLongAsTheFileSystemAllows()
{
    const qsizetype longest = ProjectFileName::longestIn(QDir(m_dir->path()));
    const QString number = QStringLiteral("项") + QString(longest - 14, u'1');
    m_record.setValue(u"JB02", number);
    QVERIFY(generate(m_record).made());
    QVERIFY(m_office->documents.contains(m_dir->filePath(number + QStringLiteral(".doc"))));
    m_record.setValue(u"JB02", number + u'1');
    QVERIFY(!generate(m_record).made());
    QCOMPARE(m_office->documents.size(), 2);
}

QTEST_GUILESS_MAIN(TestProjectReport)
#include "tst_projectreport.moc"
