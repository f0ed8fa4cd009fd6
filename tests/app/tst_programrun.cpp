#include "fieldbox.h"
#include "formmain.h"
#include "programrun.h"
#include "recordstore.h"
#include "scriptedprompts.h"
#include "testrecords.h"

#include <QApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

// Starting in a folder, one copy at a time, and ending on a termination signal.
class TestProgramRun : public QObject
{
    Q_OBJECT

private:
    static QString lockPath(const QTemporaryDir &dir)
    {
        return dir.filePath(ProgramRun::lockFileName());
    }

    // The lock file that a copy killed while it ran leaves behind: a live lock's lines with
    // the number of a process that has ended.
    static void leaveLockOfADeadCopy(const QTemporaryDir &dir)
    {
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QFile::copy(lockPath(dir) + QStringLiteral(".live"), lockPath(dir));
        QFile file(lockPath(dir));
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray lines = file.readAll();
        file.resize(0);
        file.write(QByteArray::number(pid) + lines.mid(lines.indexOf('\n')));
    }

private slots:
    void oneRunningCopyPerFolder()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        {
            QLockFile otherCopy(lockPath(dir));
            QVERIFY(otherCopy.tryLock(0));
            QVERIFY(QFile::copy(lockPath(dir), lockPath(dir) + QStringLiteral(".live")));
            ProgramRun second(dir.path(), prompts);
            QVERIFY(!second.start());
            QCOMPARE(prompts.texts(), QStringList{QStringLiteral("本程序已在此文件夹中运行。")});
            QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("wobzel2011.db"))));
        }
        leaveLockOfADeadCopy(dir);
        ProgramRun first(dir.path(), prompts);
        QVERIFY(first.start());
        QCOMPARE(prompts.shown.size(), 1);
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
        QVERIFY(!QFile::exists(lockPath(dir)));
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
        ProgramRun run(dir.path(), prompts);
        QVERIFY(run.start());
        QCOMPARE(run.window().store().recordCount(), 1);
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral(
                                      "数据库文件只能读取，不能写入，所做的修改将无法保存。")});
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
    }
};

QTEST_MAIN(TestProgramRun)
#include "tst_programrun.moc"
