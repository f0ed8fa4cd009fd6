// The help command with the real office: the document is shown, and no office process is left
// when the window closes, also after a failed command.
#include "helpcommand.h"
#include "libreofficesuite.h"
#include "testwindow.h"
#include "writerwordapp.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

bool processGone(qint64 pid)
{
    QDeadlineTimer deadline(5000);
    while (::kill(pid_t(pid), 0) == 0 && !deadline.hasExpired())
        QThread::msleep(50);
    return ::kill(pid_t(pid), 0) != 0;
}

} // namespace

class TestHelpCommandOffice : public QObject
{
    Q_OBJECT

private slots:
    void showsTheHelpDocumentAndEndsWithTheWindow();
};

void TestHelpCommandOffice::showsTheHelpDocumentAndEndsWithTheWindow()
{
    QTemporaryDir dir;
    const QString help = QDir(dir.path()).filePath(HelpCommand::helpFileName());
    {
        OfficeProcess office;
        WriterWordApp word(office);
        QVERIFY(word.addBlankDocument().ok());
        QVERIFY(word.typeText(QStringLiteral("帮助")).ok());
        QVERIFY(word.saveAs(help).ok());
    }

    TestWindow window(dir.path(), std::make_unique<LibreOfficeSuite>());
    FormMain &form = window.form();
    ScriptedPrompts &prompts = window.prompts;
    auto *menu = form.findChild<QAction *>(QStringLiteral("MenuHelpView"));
    menu->trigger();
    QVERIFY(prompts.shown.isEmpty());
    auto &suite = window.officeAs<LibreOfficeSuite>();
    const qint64 pid = suite.process().processId();
    QVERIFY(pid > 0);
    QCOMPARE(suite.wordApp().documentCount(), 1);
    QCOMPARE(suite.process().documentCount(), 1);

    // Without the help file the command fails; the office stays as it was.
    QVERIFY(QFile::remove(help));
    menu->trigger();
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown.first().text, HelpCommand::failureText());
    QCOMPARE(suite.process().processId(), pid);

    QVERIFY(form.close());
    QVERIFY2(processGone(pid), "the office outlived the window");
}

QTEST_MAIN(TestHelpCommandOffice)
#include "tst_helpcommand_office.moc"
