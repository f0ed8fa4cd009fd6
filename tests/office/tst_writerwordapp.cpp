// The word-processor layer against the real office: a template with bookmarks made by the
// test, filled the way the report document is, stored as .doc and read back; printing; quit.
#include "officeprocess.h"
#include "unosupport.h" // the test stores a document with a password
#include "watchedfifo.h"
#include "writerwordapp.h"

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

QByteArray fileStart(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

// A print command for the office's generic printer that keeps what it is sent.
bool installSpooler(const QString &bin, const QString &spool)
{
    for (const char *name : {"lpr", "lp"}) {
        QFile script(QDir(bin).filePath(QString::fromLatin1(name)));
        if (!script.open(QIODevice::WriteOnly))
            return false;
        script.write("#!/bin/sh\ncat > \"" + QFile::encodeName(spool) + "\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
    }
    return true;
}

} // namespace

class TestWriterWordApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void fillsBookmarksAndStoresADoc();
    void documentsBasedOnAFileLeaveItAlone();
    void failuresHaveTheirClass();
    void documentWithAPasswordIsNotOpened();
    void officeEndedBeforeTheShowingFailsIt();
    void quitClosesEveryDocument();
    void printsOnTheDefaultPrinter();
    void printWithoutAWorkingPrinterFails();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_spool; // what the printer was sent
    std::unique_ptr<OfficeProcess> m_office;
    std::unique_ptr<WriterWordApp> m_word;
    QString m_template;
};

void TestWriterWordApp::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The offices of this test print through a spooler of the test's own, never through a
    // print system the machine may run.
    qputenv("SAL_DISABLE_CUPS", "1");
    const QString bin = path(QStringLiteral("bin"));
    m_spool = path(QStringLiteral("spooled.job"));
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(installSpooler(bin, m_spool));
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ':' + searchPath);
    m_office = std::make_unique<OfficeProcess>();
    QVERIFY(m_office->start().ok());
    qputenv("PATH", searchPath);
    m_word = std::make_unique<WriterWordApp>(*m_office);

    // The template: two paragraphs with a bookmark each.
    m_template = path(QStringLiteral("2011模板.doc"));
    QVERIFY(m_word->addBlankDocument().ok());
    QVERIFY(m_word->typeText(QStringLiteral("项目名称：{1}。\r\n完成年份：{2}年")).ok());
    QVERIFY(m_word->placeBookmark(QStringLiteral("{1}"), QStringLiteral("JB01")).ok());
    QVERIFY(m_word->placeBookmark(QStringLiteral("{2}"), QStringLiteral("JB82Year")).ok());
    const OfficeStatus status = m_word->saveAs(m_template);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(m_word->quit().ok());
    QCOMPARE(m_word->documentCount(), 0);
}

void TestWriterWordApp::cleanupTestCase()
{
    m_word.reset();
    m_office.reset();
}

void TestWriterWordApp::fillsBookmarksAndStoresADoc()
{
    const QString report = path(QStringLiteral("201101010001.doc"));
    OfficeStatus status = m_word->addDocument(m_template);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(m_word->goToBookmark(QStringLiteral("JB82Year")).ok());
    QVERIFY(m_word->typeText(QStringLiteral("2011")).ok());
    QVERIFY(m_word->goToBookmark(QStringLiteral("JB01")).ok());
    QVERIFY(m_word->typeText(QStringLiteral("高效节能")).ok());
    QVERIFY(m_word->typeText(QStringLiteral("技术研究")).ok()); // goes on after the first
    status = m_word->saveAs(report);
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(m_word->closeDocument().ok());
    QCOMPARE(fileStart(report), QByteArray("\xD0\xCF\x11\xE0", 4));

    QVERIFY(m_word->addDocument(report).ok());
    QString text;
    QVERIFY(m_word->documentText(&text).ok());
    QCOMPARE(text, QStringLiteral("项目名称：高效节能技术研究。\n完成年份：2011年"));
    QVERIFY(m_word->closeDocument().ok());
}

void TestWriterWordApp::documentsBasedOnAFileLeaveItAlone()
{
    QFile file(m_template);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QVERIFY(m_word->addDocument(m_template).ok());
    QVERIFY(m_word->addDocument(m_template).ok()); // twice: two documents
    QCOMPARE(m_word->documentCount(), 2);
    QVERIFY(m_word->goToBookmark(QStringLiteral("JB01")).ok());
    QVERIFY(m_word->typeText(QStringLiteral("改动")).ok());
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".~lock*")}, QDir::Files | QDir::Hidden),
             QStringList());
    QVERIFY(m_word->quit().ok());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestWriterWordApp::failuresHaveTheirClass()
{
    OfficeStatus status = m_word->addDocument(path(QStringLiteral("201101019999.doc")));
    QCOMPARE(status.number(), int(OfficeStatus::DocumentNotFound));
    // A pipe in the template's place is refused unopened, as no document.
    const WatchedFifo fifo(path(QStringLiteral("管道模板.doc")));
    QVERIFY(fifo.made());
    status = m_word->addDocument(path(QStringLiteral("管道模板.doc")));
    QCOMPARE(status.number(), int(OfficeStatus::DocumentNotFound));
    QVERIFY(status.text().contains(QStringLiteral("不是普通文件")));

    QVERIFY(m_word->addDocument(m_template).ok());
    status = m_word->goToBookmark(QStringLiteral("没有的书签"));
    QVERIFY(!status.ok());
    QVERIFY(status.number() != int(OfficeStatus::DocumentNotFound));
    QVERIFY(m_word->closeDocument().ok());
    // No document left: the document calls fail, quitting does not.
    QVERIFY(!m_word->typeText(QStringLiteral("x")).ok());
    QVERIFY(!m_word->saveAs(path(QStringLiteral("x.doc"))).ok());
    QVERIFY(!m_word->closeDocument().ok());
    QVERIFY(m_word->quit().ok());
    QVERIFY(!QFile::exists(path(QStringLiteral("x.doc"))));
}

// A document protected by a password to open, as the help document or the report template,
// is refused with the password as the cause.
void TestWriterWordApp::documentWithAPasswordIsNotOpened()
{
    using css::uno::Any;
    using css::uno::Reference;
    const QString locked = path(QStringLiteral("加密模板.doc"));
    const Reference<css::frame::XComponentLoader> loader(uno::desktop(*m_office),
                                                         css::uno::UNO_QUERY_THROW);
    const Reference<css::lang::XComponent> document = loader->loadComponentFromURL(
        uno::fileUrl(m_template), "_blank", 0, uno::loadArguments(false, false, true));
    Reference<css::frame::XStorable>(document, css::uno::UNO_QUERY_THROW)
        ->storeToURL(uno::fileUrl(locked),
                     uno::properties({uno::property("FilterName", Any(OUString("MS Word 97"))),
                                      uno::property("Password", Any(OUString("2011")))}));
    uno::closeQuietly(document);

    const OfficeStatus status = m_word->addDocument(locked);
    QCOMPARE(status.text(),
             QStringLiteral("打开文档“加密模板.doc”失败：文档有密码保护，无法打开。"));
    QCOMPARE(status.number(), int(OfficeStatus::OtherFailure));
    QCOMPARE(m_word->documentCount(), 0);
    QVERIFY(m_word->quit().ok());
}

// The office ends between the opening of a document and its showing (as the help document
// is shown): the showing fails, and no new office shows nothing in its place.
void TestWriterWordApp::officeEndedBeforeTheShowingFailsIt()
{
    OfficeProcess office;
    WriterWordApp word(office);
    QVERIFY(word.addDocument(m_template).ok());
    const qint64 ended = office.processId();
    ::kill(pid_t(ended), SIGKILL);
    QTRY_VERIFY(!office.isRunning());
    const OfficeStatus status = word.setVisible(true);
    QCOMPARE(status.number(), int(OfficeStatus::OfficeStopped));
    QCOMPARE(word.documentCount(), 0);
    QCOMPARE(office.generation(), 1); // no second office started
}

void TestWriterWordApp::quitClosesEveryDocument()
{
    QVERIFY(m_word->addDocument(m_template).ok());
    QVERIFY(m_word->setVisible(true).ok()); // as the help document is shown
    QVERIFY(m_word->addDocument(m_template).ok());
    QVERIFY(m_word->addDocument(m_template).ok());
    QVERIFY(m_word->isRunning());
    QCOMPARE(m_office->documentCount(), 3);
    const qint64 office = m_office->processId();

    QVERIFY(m_word->quit().ok());
    QVERIFY(!m_word->isRunning());
    QCOMPARE(m_word->documentCount(), 0);
    QCOMPARE(m_office->documentCount(), 0);
    // Quitting again, with nothing running, is harmless.
    QVERIFY(m_word->quit().ok());
    // The office itself stays for the next document: no second start.
    QVERIFY(m_word->addDocument(m_template).ok());
    QCOMPARE(m_office->processId(), office);
    QCOMPARE(m_office->generation(), 1);
    QVERIFY(m_word->quit().ok());
}

void TestWriterWordApp::printsOnTheDefaultPrinter()
{
    QFile::remove(m_spool);
    QVERIFY(m_word->addDocument(m_template).ok());
    const OfficeStatus status = m_word->printOut();
    QVERIFY2(status.ok(), qPrintable(status.text()));
    QVERIFY(m_word->closeDocument().ok());
    QVERIFY(m_word->quit().ok());
    // The job was complete when printOut returned.
    QFile spooled(m_spool);
    QVERIFY(spooled.open(QIODevice::ReadOnly));
    QVERIFY(spooled.readAll().startsWith("%PDF"));
}

void TestWriterWordApp::printWithoutAWorkingPrinterFails()
{
    // An office whose printer has no print command behind it.
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    OfficeProcess office;
    const OfficeStatus started = office.start();
    qputenv("PATH", searchPath);
    QVERIFY2(started.ok(), qPrintable(started.text()));
    WriterWordApp word(office);
    QVERIFY(word.addDocument(m_template).ok());
    const OfficeStatus status = word.printOut();
    QVERIFY(!status.ok());
    QVERIFY(!status.text().isEmpty());
    QVERIFY(word.quit().ok());
}

QTEST_GUILESS_MAIN(TestWriterWordApp)
#include "tst_writerwordapp.moc"
