// The program without a usable office library: it starts, and only the office commands fail,
// each with its message. This test program runs from a folder of its own, beside a broken
// office library, as the program would.
#include "officeloader.h"
#include "testwindow.h"
#include "wordapp.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kLibraryName = QStringLiteral("libwobzel2011-office.so");

bool writeBrokenLibrary(const QString &folder)
{
    QFile library(QDir(folder).filePath(kLibraryName));
    return library.open(QIODevice::WriteOnly) && library.write("not a library") > 0;
}

// Starts a copy of the program in `folder`, offscreen, with the library `preload` preloaded
// when one is given.
bool startCopy(QProcess &run, const QString &folder, const QString &preload = QString())
{
    const QString program = QDir(folder).filePath(QStringLiteral("wobzel2011"));
    if (!QFile::copy(QStringLiteral(WOBZEL_PROGRAM), program))
        return false;
    run.setProgram(program);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!preload.isEmpty())
        environment.insert(QStringLiteral("LD_PRELOAD"), preload);
    run.setProcessEnvironment(environment);
    run.start();
    return run.waitForStarted();
}

} // namespace

class TestOfficeStart : public QObject
{
    Q_OBJECT

private slots:
    void programStartsWithoutTheOfficeLibrary();
    void officeLibraryFromTheProgramsFolderOnly();
    void officeCommandsShowTheirFailure();
    void cleanupTestCase();
};

void TestOfficeStart::programStartsWithoutTheOfficeLibrary()
{
    // The program links none of the office's libraries: it needs them only on first use.
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(WOBZEL_PROGRAM)});
    QVERIFY(ldd.waitForFinished());
    const QByteArray libraries = ldd.readAllStandardOutput();
    QVERIFY(libraries.contains("libQt6Core"));
    QVERIFY2(!libraries.contains("libuno_"), libraries.constData());

    QTemporaryDir folder;
    QVERIFY(writeBrokenLibrary(folder.path()));
    QProcess run;
    QVERIFY(startCopy(run, folder.path()));
    // Started: it has made its database and waits for the user.
    const QString database = folder.filePath(QStringLiteral("wobzel2011.db"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(database) || run.state() == QProcess::NotRunning, 20000);
    QVERIFY2(!run.waitForFinished(1000), run.readAllStandardError().constData());
    run.kill();
    run.waitForFinished();
}

// A copy of the program in a folder without the office library loads no other one, not even
// the build tree's: the help command says which file is missing, in the log too.
void TestOfficeStart::officeLibraryFromTheProgramsFolderOnly()
{
    QVERIFY(QFile::exists(QStringLiteral(WOBZEL_OFFICE_LIBRARY)));
    QTemporaryDir folder;
    QProcess run;
    QVERIFY(startCopy(run, folder.path(), QStringLiteral(WOBZEL_HELP_MENU_CHOICE)));
    const QByteArray failure =
        QStringLiteral(
            "帮助文件打开失败！请重新启动系统后重试。 办公软件无法使用：找不到办公软件组件 %1。")
            .arg(folder.filePath(kLibraryName))
            .toUtf8();
    QByteArray log;
    const auto toldOrEnded = [&] {
        log += run.readAllStandardError();
        return log.contains(failure) || run.state() == QProcess::NotRunning;
    };
    QVERIFY2(QTest::qWaitFor(toldOrEnded, 20000) && log.contains(failure), log.constData());
    run.terminate(); // the program closes the message and ends
    QVERIFY(run.waitForFinished(20000));
}

void TestOfficeStart::officeCommandsShowTheirFailure()
{
    QVERIFY(writeBrokenLibrary(QCoreApplication::applicationDirPath()));
    TestWindow form(QString(), OfficeLoader::createSuite()); // the program's own way
    const ScriptedPrompts &prompts = form.prompts;
    QVERIFY2(form.load(), qPrintable(form.loadError));

    form.form().findChild<QAction *>(QStringLiteral("MenuHelpView"))->trigger();
    form.checkCommands().CommandItem_Click();
    QCOMPARE(prompts.texts(),
             QStringList({QStringLiteral("帮助文件打开失败！请重新启动系统后重试。"),
                          QStringLiteral("办公软件无法使用！项目上报情况核对未完成。")}));
    // The office programs' failures say why, in the messages' detailed text too.
    QVERIFY(prompts.shown.last().details.contains(kLibraryName));
    const OfficeStatus status = form.officeAs<OfficeSuite>().wordApp().setVisible(true);
    QCOMPARE(status.number(), int(OfficeStatus::CannotStart));
    QVERIFY2(status.text().contains(kLibraryName), qPrintable(status.text()));
}

void TestOfficeStart::cleanupTestCase()
{
    QFile::remove(QDir(QCoreApplication::applicationDirPath()).filePath(kLibraryName));
}

QTEST_MAIN(TestOfficeStart)
#include "tst_officestart.moc"
