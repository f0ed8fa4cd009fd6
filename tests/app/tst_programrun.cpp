#include "fieldbox.h"
#include "formmain.h"
#include "programrun.h"
#include "recordstore.h"
#include "scriptedprompts.h"
#include "testrecords.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// Starting in a folder, one copy at a time on a database, and ending on a termination signal.
class TestProgramRun : public QObject
{
    Q_OBJECT

private:
    static QString databasePath(const QString &folder)
    {
        return QDir(folder).filePath(RecordStore::databaseFileName());
    }

private slots:
    // A second copy reaches the database of a running one from its folder or, through a link,
    // from another folder. A process started by the first copy (the office) outlives it
    // without keeping the database.
    void oneRunningCopyPerDatabase_data()
    {
        QTest::addColumn<QString>("reach");
        QTest::newRow("same folder") << "";
        QTest::newRow("hard link from another folder") << "hard link";
        QTest::newRow("symbolic link from another folder") << "symbolic link";
    }
    void oneRunningCopyPerDatabase()
    {
        QFETCH(QString, reach);
        QTemporaryDir dir;
        QTemporaryDir other;
        ScriptedPrompts prompts;
        auto first = std::make_unique<ProgramRun>(dir.path(), prompts);
        QVERIFY(first->start());
        const QString database = databasePath(dir.path());
        QString secondFolder = dir.path();
        if (!reach.isEmpty())
            secondFolder = other.path();
        if (reach == u"hard link")
            QCOMPARE(::link(QFile::encodeName(database).constData(),
                            QFile::encodeName(databasePath(secondFolder)).constData()),
                     0);
        if (reach == u"symbolic link")
            QVERIFY(QFile::link(database, databasePath(secondFolder)));
        QProcess child;
        child.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(child.waitForStarted());
        {
            ProgramRun second(secondFolder, prompts);
            QVERIFY(!second.start());
            QCOMPARE(prompts.texts(), QStringList{QStringLiteral("本程序已在此文件夹中运行。")});
        }
        first.reset();
        ProgramRun afterwards(secondFolder, prompts);
        QVERIFY(afterwards.start());
        QCOMPARE(prompts.shown.size(), 1);
        child.kill();
        child.waitForFinished();
    }

    // Whatever is left under the name of the old lock file, the program starts.
    void leftoverLockFileNeverBlocksStart_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: a folder of that name
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("garbage") << QByteArray("\xFF\x01garbage\n\n");
        QTest::newRow("folder") << QByteArray();
    }
    void leftoverLockFileNeverBlocksStart()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString leftover = dir.filePath(QStringLiteral("wobzel2011.lock"));
        QFile file(leftover);
        if (bytes.isNull())
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("wobzel2011.lock")));
        else
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        ScriptedPrompts prompts;
        ProgramRun run(dir.path(), prompts);
        QVERIFY(run.start());
        QVERIFY(prompts.shown.isEmpty());
    }

    // A database that cannot be used: the program ends after saying which file, with the
    // store's reason in the message's detailed text and in the log.
    void unusableDatabaseEndsTheStart_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("garbage") << "garbage";
        QTest::newRow("folder") << "folder";
        QTest::newRow("FIFO") << "FIFO";
        QTest::newRow("link into a missing folder") << "dangling link"; // no lock can be had
        QTest::newRow("table lacking one column") << "lacking JL170";
    }
    void unusableDatabaseEndsTheStart()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString database = databasePath(dir.path());
        QFile file(database);
        if (kind == u"garbage")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) > 0);
        if (kind == u"folder")
            QVERIFY(QDir(dir.path()).mkdir(RecordStore::databaseFileName()));
        if (kind == u"FIFO")
            QCOMPARE(::mkfifo(QFile::encodeName(database).constData(), 0600), 0);
        if (kind == u"dangling link")
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone/wobzel2011.db")), database));
        if (kind == u"lacking JL170")
            QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}) &&
                    OtherConnection(dir.path()).exec("ALTER TABLE kjxmzxqk DROP COLUMN JL170"));
        file.close();
        ScriptedPrompts prompts;
        const QString text = QStringLiteral("数据库文件无法打开：") + database;
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u'^' + QRegularExpression::escape(text) + " ."));
        ProgramRun run(dir.path(), prompts);
        QVERIFY(!run.start());
        QCOMPARE(prompts.texts(), QStringList{text});
        QVERIFY(!prompts.shown[0].details.isEmpty());
        if (kind == u"lacking JL170") // the column named, in the user's words
            QCOMPARE(prompts.shown[0].details, QStringLiteral("数据表 kjxmzxqk 缺少字段：JL170。"));
    }

    void terminationStoresAndEnds_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void terminationStoresAndEnds()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        ScriptedPrompts prompts;
        {
            ProgramRun run(dir.path(), prompts);
            QVERIFY(run.start());
            FormMain &form = run.window();
            QApplication::setActiveWindow(&form);
            auto *name = form.findChild<FieldBox *>(QStringLiteral("TextItemName"));
            QTest::mouseClick(name, Qt::LeftButton);
            QTest::keyClicks(name, QStringLiteral("x"));
            std::raise(signal);
            QTRY_VERIFY(!form.isVisible());
        }
        QVERIFY(prompts.shown.isEmpty());
        RecordStore again;
        QVERIFY(again.open(dir.path()));
        QCOMPARE(again.current().value(0), QStringLiteral("ax"));
    }

    // Another program holds a write lock: the rows are read, and the user is told at once
    // that edits cannot be stored.
    void saysWhenTheDatabaseCannotBeWritten()
    {
        QTemporaryDir dir;
        QVERIFY(addTestProjects(dir.path(), {{"1", "a"}}));
        OtherConnection other(dir.path());
        QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        ScriptedPrompts prompts;
        // The notice is a real dialog, shown before the window's own loop runs; a request to
        // end comes while it shows.
        prompts.whileShown = [](const QString &) {
            QDialog notice;
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            QTimer::singleShot(5000, &notice, &QDialog::reject); // a fault would wait here
            QElapsedTimer shown;
            shown.start();
            notice.exec();
            QVERIFY(shown.elapsed() < 4000);
        };
        ProgramRun run(dir.path(), prompts);
        QVERIFY(run.start());
        QCOMPARE(run.window().store().recordCount(), 1);
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral(
                                      "数据库文件只能读取，不能写入，所做的修改将无法保存。")});
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        QTRY_VERIFY(!run.window().isVisible()); // then the program ends
    }
};

QTEST_MAIN(TestProgramRun)
#include "tst_programrun.moc"
