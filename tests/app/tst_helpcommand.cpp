// The help command over the office stand-in, without the window.
#include "fakeoffice.h"
#include "helpcommand.h"
#include "scriptedprompts.h"
#include "testwindow.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestHelpCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheHelpDocument();
    void theMenuEntryShowsIt();
    void eachUseAddsADocumentToTheSameInstance();
    void failureShowsItsMessage_data();
    void failureShowsItsMessage();
    void laterQuitClosesTheHelpDocument();

private:
    void chooseHelp() { m_command->MenuHelpView_Click(); }
    QString helpPath() const { return QDir(m_dir->path()).filePath(HelpCommand::helpFileName()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompts m_prompts;
    std::unique_ptr<FakeOffice> m_office;
    std::unique_ptr<HelpCommand> m_command;
};

void TestHelpCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompts = ScriptedPrompts();
    m_office = std::make_unique<FakeOffice>();
    m_office->documents.insert(helpPath(), FakeDocumentFile());
    m_command = std::make_unique<HelpCommand>([this]() -> OfficeSuite & { return *m_office; },
                                              m_prompts, m_dir->path());
}

void TestHelpCommand::cleanup()
{
    m_command.reset();
    m_office.reset();
    m_dir.reset();
}

void TestHelpCommand::showsTheHelpDocument()
{
    chooseHelp();

    FakeWordApp &word = m_office->word;
    QCOMPARE(word.calls, QStringList({QStringLiteral("addDocument ") + helpPath(),
                                      QStringLiteral("setVisible 1")}));
    QVERIFY(word.running);
    QVERIFY(word.visible);
    QCOMPARE(word.documentCount(), 1);
    QCOMPARE(word.quits, 0); // left running
    QVERIFY(m_prompts.shown.isEmpty());
}

// The window's menu entry runs the command.
void TestHelpCommand::theMenuEntryShowsIt()
{
    auto office = std::make_unique<FakeOffice>();
    FakeOffice &fake = *office;
    fake.documents.insert(helpPath(), FakeDocumentFile());
    TestWindow window(m_dir->path(), std::move(office));
    auto *menu = window.form().findChild<QAction *>(QStringLiteral("MenuHelpView"));
    QVERIFY(menu);
    QCOMPARE(menu->text(), QStringLiteral("帮助信息(&H)"));
    menu->trigger();
    QCOMPARE(fake.word.documentCount(), 1);
    QVERIFY(fake.word.visible);
}

void TestHelpCommand::eachUseAddsADocumentToTheSameInstance()
{
    chooseHelp();
    chooseHelp();
    FakeWordApp &word = m_office->word;
    QCOMPARE(word.starts, 1);
    QCOMPARE(word.documentCount(), 2);
    QCOMPARE(word.documents.at(1).basedOn, helpPath());
    QVERIFY(word.visible);
    QVERIFY(m_prompts.shown.isEmpty());
}

void TestHelpCommand::failureShowsItsMessage_data()
{
    QTest::addColumn<bool>("helpFileThere");
    QTest::addColumn<bool>("officeStarts");
    QTest::newRow("help file missing") << false << true;
    QTest::newRow("word processor cannot start") << true << false;
}

void TestHelpCommand::failureShowsItsMessage()
{
    QFETCH(bool, helpFileThere);
    QFETCH(bool, officeStarts);
    if (!helpFileThere)
        m_office->documents.clear();
    m_office->cannotStart = !officeStarts;
    chooseHelp();

    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.first().text,
             QStringLiteral("帮助文件打开失败！请重新启动系统后重试。"));
    QCOMPARE(m_prompts.shown.first().title, QStringLiteral("澜梧省科技计划项目执行情况年度调查"));
    QCOMPARE(m_prompts.shown.first().icon, MessageIcon::Information);
    QVERIFY(!m_office->word.visible);
    QCOMPARE(m_office->word.documentCount(), 0);
    QVERIFY(!m_prompts.shown.first().details.isEmpty()); // the office's reason
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestHelpCommand::laterQuitClosesTheHelpDocument()
{
    chooseHelp();
    FakeWordApp &word = m_office->word;
    // A report made while the help document is shown works in the same instance.
    QVERIFY(word.addDocument(helpPath()).ok());
    QVERIFY(word.quit().ok());
    QCOMPARE(word.documentCount(), 0);
    QVERIFY(word.documents.first().closed);
    QVERIFY(!word.visible);
}

QTEST_MAIN(TestHelpCommand)
#include "tst_helpcommand.moc"
