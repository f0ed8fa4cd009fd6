#include "captions.h"
#include "filesizelimit.h"
#include "kjformat.h"
#include "projectfilename.h"
#include "testwindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kRetry = QStringLiteral("请检查数据或重新启动系统后重试。");
const QString kSubmitFailed = QStringLiteral("数据提交失败！") + kRetry;
const QString kOfficeLibrary = QStringLiteral("libwobzel2011-office.so");

QString notAFileName(const QString &number)
{
    return QStringLiteral("数据提交失败！项目编号“") + number +
           QStringLiteral("”不能用作数据文件名。") + kRetry;
}

SurveyRecord project(const QString &number, const QString &name = QStringLiteral("项目"))
{
    SurveyRecord record;
    record.setValue(u"JB01", name);
    record.setValue(u"JB02", number);
    return record;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileOf(const QVector<SurveyRecord> &records)
{
    QByteArray bytes;
    for (const SurveyRecord &r : records)
        bytes += KjFormat::encodeRecord(r, KjFormat::submitEmptyText());
    return bytes;
}

// The rows stored in a program folder's database, read through a store of its own.
QByteArray sha1(const QString &path)
{
    return QCryptographicHash::hash(readAll(path), QCryptographicHash::Sha1);
}

QVector<SurveyRecord> storedRows(const QString &folder)
{
    RecordStore store;
    QVector<SurveyRecord> rows;
    if (store.open(folder)) {
        for (int i = 0; i < store.recordCount(); ++i)
            rows << store.row(i);
    }
    return rows;
}

// Chinese text arrives from the input method as one committed string.
void typeChinese(QWidget *box, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(box, &event);
}

// A program folder with records, and its main window.
struct Program : TestWindow
{
    explicit Program(const QVector<SurveyRecord> &records = {})
    {
        if (!records.isEmpty()) {
            RecordStore store;
            if (!store.open(folder()) || !store.appendRows(records))
                qFatal("cannot seed the table");
        }
        if (!load())
            qFatal("cannot start: %s", qPrintable(loadError));
    }
    // Clicks the button, with `fileName` as the answer of the file dialog it opens.
    void click(const char *button, const QString &fileName = QString())
    {
        if (!fileName.isNull())
            prompts.fileNames.enqueue(fileName);
        TestWindow::click(button);
    }
};

} // namespace

class TestDataFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIntoEmptyProgram();
    void duplicates_data();
    void duplicates();
    void duplicateMessagesShowTheMatchedRow();
    void unwritableDatabaseFailsBeforeAnyMessage();
    void damagedFileRefused_data();
    void damagedFileRefused();
    void trailingLineEndAccepted();
    void distributeRefusesUnsafeNames();
    void distributeGoesOnPastUnusableNumbers();
    void distributeRefusesAReadOnlyFile();
    void writersSeeUnstoredEdits();
    void ownFilesRefused_data();
    void ownFilesRefused();
    void ownFileRefusalSaysWhatItIs();
    void runningProgramRefused();
    void databaseCompanionsRefused_data();
    void databaseCompanionsRefused();
    void programNameElsewhereIsWritten();
    void missingFileName();
    void emptyTableSubmitFails();
    void failedSubmitTellsWhy();
    void fullDiskIsNamed_data();
    void fullDiskIsNamed();
};

void TestDataFileCommands::roundTripIntoEmptyProgram()
{
    SurveyRecord first = project(QStringLiteral("201100000001"), QStringLiteral("科技，项目，一"));
    first.setValue(u"JDCG", QStringLiteral("第一行\r\n第二行, 还有逗号"));
    first.setValue(u"JB21", QStringLiteral("某某大学"));
    first.setValue(u"JF1001", QStringLiteral("12.5"));
    SurveyRecord second = project(QStringLiteral("201100000002"), QStringLiteral("说\"好\""));
    second.setValue(136, QStringLiteral("末列"));
    Program sender({first, second});
    const QString file = sender.path(QStringLiteral("up.kj"));
    sender.click("CommandExcel", file);
    QCOMPARE(sender.prompts.dialogs[0].title, QStringLiteral("提交数据"));
    QCOMPARE(sender.prompts.dialogs[0].folder, sender.folder());
    QCOMPARE(sender.prompts.texts(), QStringList{QStringLiteral("提交数据完成。数据已保存在") +
                                                 file + QStringLiteral("中。")});
    QCOMPARE(sender.prompts.shown[0].title, Captions::messageTitle());
    QVERIFY(sender.store().isPastTheEnd());

    Program receiver;
    receiver.click("CommandAddData", file);
    QCOMPARE(receiver.prompts.texts(), QStringList{QStringLiteral("追加数据完成。")});
    QCOMPARE(receiver.prompts.dialogs[0].title, QStringLiteral("数据追加"));

    // Stored at once, the last record too: a store of its own sees them.
    const QVector<SurveyRecord> received = storedRows(receiver.folder());
    QCOMPARE(received.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const SurveyRecord &sent = sender.store().row(i);
        for (int c = 0; c < KjFormat::ValuesPerRecord; ++c) {
            QString expected = sent.value(c).isEmpty() ? QStringLiteral(" ") : sent.value(c);
            expected.replace(u'"', u'\'');
            QCOMPARE(received[i].value(c), expected);
        }
    }
    QCOMPARE(receiver.store().currentIndex(), 1);
}

void TestDataFileCommands::duplicates_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<QStringList>("existing"); // the numbers told as existing

    const QString n1 = QStringLiteral("201100000001");
    const QString n2 = QStringLiteral("201100000002");
    QTest::newRow("exact") << QStringList{n1} << QStringList{n1, n2} << QStringList{n2}
                           << QStringList{n1};
    QTest::newRow("leading zeros") << QStringList{n1} << QStringList{QStringLiteral("000") + n1}
                                   << QStringList{} << QStringList{QStringLiteral("000") + n1};
    QTest::newRow("within 0.1") << QStringList{n1} << QStringList{n1 + QStringLiteral(".05")}
                                << QStringList{} << QStringList{n1 + QStringLiteral(".05")};
    QTest::newRow("twice in one file")
        << QStringList{} << QStringList{n2, n1, n2} << QStringList{n2, n1} << QStringList{n2};
    QTest::newRow("none") << QStringList{n1} << QStringList{n2} << QStringList{n2} << QStringList{};
    // From 16 digits on, a number less 0.1 is the number itself as a double.
    const QList<QPair<QString, QString>> sizes = {
        {QStringLiteral("300000000000000"), QStringLiteral("300000000000007")},
        {QStringLiteral("3000000000000000"), QStringLiteral("3000000000000007")},
        {QStringLiteral("30000000000000000"), QStringLiteral("30000000000000100")},
        {QStringLiteral("12345678901234567890"), QStringLiteral("98765432109876543210")}};
    for (const auto &[n, m] : sizes) {
        QTest::addRow("%d digits", int(n.size()))
            << QStringList{n} << QStringList{n, m, m} << QStringList{m} << QStringList{n, m};
    }
    QTest::newRow("15 digits within 0.1")
        << QStringList{sizes[0].first} << QStringList{sizes[0].first + QStringLiteral(".05")}
        << QStringList{} << QStringList{sizes[0].first + QStringLiteral(".05")};
}

void TestDataFileCommands::duplicates()
{
    QFETCH(QStringList, table);
    QFETCH(QStringList, file);
    QFETCH(QStringList, appended);
    QFETCH(QStringList, existing);
    QVector<SurveyRecord> present;
    for (const QString &n : table)
        present << project(n);
    Program program(present);
    QVector<SurveyRecord> incoming;
    for (const QString &n : file)
        incoming << project(n, QStringLiteral("来自文件"));
    const QString path = program.path(QStringLiteral("in.kj"));
    QVERIFY(writeBytes(path, fileOf(incoming)));
    program.click("CommandAddData", path);

    QStringList expected;
    for (const QString &n : existing)
        expected << n + QStringLiteral("项目编号已存在！");
    expected << QStringLiteral("追加数据完成。");
    QCOMPARE(program.prompts.texts(), expected);
    const QVector<SurveyRecord> rows = storedRows(program.folder());
    QStringList stored;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].value(u"JB01") == QStringLiteral("来自文件"))
            stored << rows[i].value(u"JB02");
    }
    std::sort(appended.begin(), appended.end());
    QCOMPARE(stored, appended);
    QCOMPARE(program.store().recordCount(), table.size() + appended.size());
}

// While each "…项目编号已存在！" shows, the records before it are in the table and the row it
// matched is current, in the boxes too.
void TestDataFileCommands::duplicateMessagesShowTheMatchedRow()
{
    Program program(
        {project(QStringLiteral("201100000001")), project(QStringLiteral("201100000003"))});
    const QString path = program.path(QStringLiteral("in.kj"));
    QVERIFY(writeBytes(path, fileOf({project(QStringLiteral("201100000005")),
                                     project(QStringLiteral("201100000001")),
                                     project(QStringLiteral("201100000007")),
                                     project(QStringLiteral("201100000005"))})));
    QStringList seen;
    program.prompts.whileShown = [&](const QString &) {
        seen << QStringLiteral("%1/%2 %3")
                    .arg(program.store().currentIndex())
                    .arg(program.store().recordCount())
                    .arg(program.lineBox(QStringLiteral("TextJB02"))->text());
    };
    program.click("CommandAddData", path);
    QCOMPARE(program.prompts.texts().size(), 3);
    QCOMPARE(seen, QStringList() << QStringLiteral("0/3 201100000001")
                                 << QStringLiteral("2/4 201100000005")
                                 << QStringLiteral("2/4 201100000005"));
    QCOMPARE(storedRows(program.folder()).size(), 4);

    // A file of projects that all exist leaves the last one matched current.
    QVERIFY(writeBytes(path, fileOf({project(QStringLiteral("201100000001")),
                                     project(QStringLiteral("201100000007"))})));
    program.click("CommandAddData", path);
    QCOMPARE(program.store().currentIndex(), 3);
    QCOMPARE(program.lineBox(QStringLiteral("TextJB02"))->text(), QStringLiteral("201100000007"));
}

// Another program holds the database for writing: the failure comes alone, with no message
// about the duplicates of a file that was not appended.
void TestDataFileCommands::unwritableDatabaseFailsBeforeAnyMessage()
{
    Program program({project(QStringLiteral("201100000001"))});
    const QString path = program.path(QStringLiteral("in.kj"));
    QVERIFY(writeBytes(path, fileOf({project(QStringLiteral("201100000001")),
                                     project(QStringLiteral("201100000002"))})));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(program.store().databasePath());
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        program.click("CommandAddData", path);
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    QCOMPARE(program.prompts.texts().size(), 1);
    QVERIFY2(program.prompts.lastText().startsWith(QStringLiteral("追加数据失败！")),
             qPrintable(program.prompts.lastText()));
    QCOMPARE(storedRows(program.folder()).size(), 1);
}

void TestDataFileCommands::damagedFileRefused_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("special"); // a file of another kind in place of the bytes

    const QByteArray two =
        fileOf({project(QStringLiteral("201100000008")), project(QStringLiteral("201100000009"))});
    const QByteArray one = fileOf({project(QStringLiteral("201100000008"))});
    QTest::newRow("truncated inside a record")
        << two.left(one.size() + 6 + 15 + 4 * 38) << QStringLiteral("共有177个数据项") << QString();
    QTest::newRow("unterminated quote")
        << one + "\"201100000009\",\"cut" << QStringLiteral("第139个数据项缺少结束的引号")
        << QString();
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("无法打开数据文件")
                                  << QString();
    SurveyRecord odd = project(QStringLiteral("201100000009"));
    odd.setValue(4, QStringLiteral("ODD"));
    QTest::newRow("bytes that are not GBK")
        << fileOf({project(QStringLiteral("201100000008")), odd}).replace("ODD", "O\x81 D")
        << QStringLiteral("第2条记录的第5个数据项") << QString();
    QTest::newRow("lone lead byte at the end")
        << one + "\x81" << QStringLiteral("第2条记录的第1个数据项") << QString();
    const QByteArray withOdd = fileOf({project(QStringLiteral("201100000008")), odd});
    QTest::newRow("lone byte 0xFF in a value")
        << QByteArray(withOdd).replace("ODD", "O\xFF") << QStringLiteral("第2条记录的第5个数据项")
        << QString();
    QTest::newRow("byte 0xFF before an opening quote")
        << QByteArray(withOdd).replace("\"ODD\"", "\xFF\"ODD\"")
        << QStringLiteral("第2条记录的第5个数据项") << QString();
    const QString notAFile = QStringLiteral("不是普通文件");
    QTest::newRow("FIFO") << QByteArray() << notAFile << QStringLiteral("fifo");
    QTest::newRow("link to /dev/zero") << QByteArray() << notAFile << QStringLiteral("device");
    QTest::newRow("directory") << QByteArray() << notAFile << QStringLiteral("directory");
    QTest::newRow("larger than an append can take")
        << QByteArray() << QStringLiteral("太大：一次最多追加250000条记录、256MB")
        << QStringLiteral("sparse");
}

void TestDataFileCommands::damagedFileRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, phrase);
    QFETCH(QString, special);
    Program program({project(QStringLiteral("201100000001"))});
    const QString path = program.path(QStringLiteral("bad.kj"));
    if (!bytes.isEmpty())
        QVERIFY(writeBytes(path, bytes));
    if (special == u"fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (special == u"device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    if (special == u"directory")
        QVERIFY(QDir().mkdir(path));
    if (special == u"sparse") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(KjFormat::MaxFileBytes + 1));
    }
    program.click("CommandAddData", path);

    QCOMPARE(program.prompts.shown.size(), 1);
    const QString text = program.prompts.lastText();
    QVERIFY2(text.startsWith(QStringLiteral("追加数据失败！")) && text.endsWith(kRetry) &&
                 text.contains(phrase) && text.contains(path),
             qPrintable(text));
    QCOMPARE(program.prompts.shown[0].title, Captions::messageTitle());
    QCOMPARE(program.store().recordCount(), 1);
    QCOMPARE(storedRows(program.folder()).size(), 1);
}

void TestDataFileCommands::trailingLineEndAccepted()
{
    Program program;
    const QString path = program.path(QStringLiteral("crlf.kj"));
    QVERIFY(writeBytes(path, fileOf({project(QStringLiteral("201100000001"))}) + "\r\n"));
    program.click("CommandAddData", path);
    QCOMPARE(program.prompts.texts(), QStringList{QStringLiteral("追加数据完成。")});
    QCOMPARE(storedRows(program.folder()).size(), 1);
}

void TestDataFileCommands::distributeRefusesUnsafeNames()
{
    Program program({project(QString()), project(QStringLiteral("2011/0001")),
                     project(QStringLiteral("2011\\0002")), project(QStringLiteral("..")),
                     project(QStringLiteral("201100000005"))});
    QTemporaryDir out;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(out.path());
    program.click("CommandEachItem");
    QDir::setCurrent(previous);

    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("201100000005.kj")});
    const QByteArray bytes = readAll(out.filePath(QStringLiteral("201100000005.kj")));
    QVERIFY(bytes.startsWith("\"\xCF\xEE\xC4\xBF\",\"201100000005\",\".\",\".\","));
    QCOMPARE(bytes.count(','), 137);
    QCOMPARE(program.prompts.texts(), QStringList() << notAFileName(QString())
                                                    << notAFileName(QStringLiteral(".."))
                                                    << notAFileName(QStringLiteral("2011/0001"))
                                                    << notAFileName(QStringLiteral("2011\\0002")));
    QCOMPARE(program.prompts.shown.last().title, Captions::messageTitle());
    QVERIFY(program.store().isPastTheEnd());
    QVERIFY(QDir(program.folder()).entryList({QStringLiteral("*.kj")}).isEmpty());
}

// Each number that cannot name a file fails on its own; every other project's file is
// written. A file name that leads to the program's database or its office library is one of
// them.
void TestDataFileCommands::distributeGoesOnPastUnusableNumbers()
{
    // "<number>.kj.XXXXXX", the name the file is written under first, at the file system's
    // longest name and one byte past it.
    const qsizetype longest = ProjectFileName::longestIn(QDir::temp());
    const QString longestNumber = QStringLiteral("项") + QString(longest - 13, u'1');
    const QString lineBreak = QStringLiteral("2011\n0002");
    const QStringList unusable = {QStringLiteral("   "),
                                  QStringLiteral(". ."),
                                  lineBreak,
                                  QStringLiteral("201100000008"),
                                  QStringLiteral("201100000009"),
                                  QStringLiteral("201100000010"),
                                  longestNumber + u'1'}; // in the order of the numbers
    const QStringList good = {QStringLiteral("201100000001"), QStringLiteral("201100000002"),
                              QStringLiteral("201100000003"), longestNumber};
    QVector<SurveyRecord> records;
    for (const QString &n : unusable + good)
        records << project(n);
    Program program(records);
    QTemporaryDir out;
    QVERIFY(QDir(out.path()).mkdir(QStringLiteral("201100000008.kj")));
    const QString link = out.filePath(QStringLiteral("201100000009.kj"));
    QVERIFY(QFile::link(program.store().databasePath(), link));
    const QString library = program.path(kOfficeLibrary);
    QVERIFY(writeBytes(library, "office library"));
    const QString libraryLink = out.filePath(QStringLiteral("201100000010.kj"));
    QVERIFY(QFile::link(library, libraryLink));
    const QByteArray database = sha1(program.store().databasePath());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(out.path());
    program.click("CommandEachItem");

    QStringList expected;
    for (const QString &n : unusable)
        expected << notAFileName(n);
    // The names that lead to the program's own files are told as such.
    expected[4] = expected[5] = kSubmitFailed;
    QCOMPARE(program.prompts.texts(), expected);
    QStringList written;
    for (const QString &n : good)
        written << n + QStringLiteral(".kj");
    written << link.section(u'/', -1) << libraryLink.section(u'/', -1);
    written.sort();
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), written);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(sha1(program.store().databasePath()), database);
    QCOMPARE(readAll(library), QByteArray("office library"));

    // A disk that takes no record stops the run at the first file: one failure, not one a
    // project.
    QTemporaryDir full;
    QDir::setCurrent(full.path());
    program.prompts.shown.clear();
    {
        const FileSizeLimit limit(64);
        program.click("CommandEachItem");
    }
    QDir::setCurrent(previous);
    QCOMPARE(program.prompts.texts(), expected.mid(0, 3) << kSubmitFailed);
    QCOMPARE(QDir(full.path()).entryList(QDir::Files), QStringList());
}

// A project's file that is there but may not be written is told, and stays as it was.
void TestDataFileCommands::distributeRefusesAReadOnlyFile()
{
    if (geteuid() == 0)
        QSKIP("root may write any file");
    Program program(
        {project(QStringLiteral("201100000001")), project(QStringLiteral("201100000002"))});
    QTemporaryDir out;
    const QString kept = out.filePath(QStringLiteral("201100000001.kj"));
    QVERIFY(writeBytes(kept, "earlier"));
    QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(out.path());
    program.click("CommandEachItem");
    QDir::setCurrent(previous);
    QCOMPARE(program.prompts.texts(), QStringList{notAFileName(QStringLiteral("201100000001"))});
    QCOMPARE(readAll(kept), QByteArray("earlier"));
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("201100000002.kj"))));
}

// A project just added and typed, and an edit of a stored one, both not yet stored.
void TestDataFileCommands::writersSeeUnstoredEdits()
{
    Program program({project(QStringLiteral("201100000001"))});
    program.prompts.inputs.enqueue(QStringLiteral("201100000009"));
    program.click("CommandAddItem");
    QVERIFY(program.store().isNewRow());
    typeChinese(program.lineBox(QStringLiteral("TextJB01")), QStringLiteral("新项目"));
    QTest::keyClicks(program.lineBox(QStringLiteral("TextJB21")), QStringLiteral("Unit"));
    const QString one = program.path(QStringLiteral("one.kj"));
    program.click("Command1", one);
    QCOMPARE(program.prompts.lastText(),
             QStringLiteral("提交数据完成。数据已保存在") + one + QStringLiteral("中。"));
    QCOMPARE(program.prompts.shown.last().title, Captions::shortTitle());
    SurveyRecord typed = project(QStringLiteral("201100000009"), QStringLiteral("新项目"));
    typed.setValue(u"JB21", QStringLiteral("Unit"));
    QCOMPARE(readAll(one), fileOf({typed}));

    QVERIFY(program.store().moveTo(0));
    typeChinese(program.lineBox(QStringLiteral("TextJB21")), QStringLiteral("改"));
    const QString all = program.path(QStringLiteral("all.kj"));
    program.click("CommandExcel", all);
    SurveyRecord edited = project(QStringLiteral("201100000001"));
    edited.setValue(u"JB21", QStringLiteral("改"));
    QCOMPARE(readAll(all), fileOf({edited, typed}));
}

void TestDataFileCommands::ownFilesRefused_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("name"); // of the program's own file in its folder
    QTest::addColumn<QString>("spelling");
    const QList<std::array<QString, 3>> commands = {
        {QStringLiteral("submit"), QStringLiteral("CommandExcel"), kSubmitFailed},
        {QStringLiteral("report one"), QStringLiteral("Command1"), kSubmitFailed},
        {QStringLiteral("checking report"), QStringLiteral("CommandSaveCheckReport"),
         QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。")}};
    for (const auto &[command, button, failure] : commands) {
        for (const QString &name :
             {RecordStore::databaseFileName(), kOfficeLibrary, QStringLiteral("wobzel2011")}) {
            for (const char *spelling : {"./", "relative", "//", "symbolic link", "hard link"}) {
                QTest::addRow("%s, %s, %s", qPrintable(command), qPrintable(name), spelling)
                    << button << failure << name << QString::fromLatin1(spelling);
            }
        }
    }
    QTest::newRow("distribute, the project's file a link to the database")
        << QStringLiteral("CommandEachItem") << kSubmitFailed << RecordStore::databaseFileName()
        << QStringLiteral("project's file");
}

void TestDataFileCommands::ownFilesRefused()
{
    QFETCH(QString, button);
    QFETCH(QString, failure);
    QFETCH(QString, name);
    QFETCH(QString, spelling);
    Program program({project(QStringLiteral("201100000001"))});
    QVERIFY(writeBytes(program.path(kOfficeLibrary), "office library"));
    QVERIFY(writeBytes(program.path(QStringLiteral("wobzel2011")), "\x7f"
                                                                   "ELF program"));
    const QString own = program.path(name);
    QString path = QDir(program.folder()).filePath(QStringLiteral("./") + name);
    if (spelling == u"relative")
        path = name;
    if (spelling == u"//")
        path = program.folder() + QStringLiteral("//") + name;
    if (spelling == u"symbolic link") {
        path = program.path(QStringLiteral("link.kj"));
        QVERIFY(QFile::link(own, path));
    }
    if (spelling == u"hard link") {
        path = program.path(QStringLiteral("hard.kj"));
        QCOMPARE(link(QFile::encodeName(own).constData(), QFile::encodeName(path).constData()), 0);
    }
    if (spelling == u"project's file") { // where the distribute command writes the project
        path = program.path(QStringLiteral("201100000001.kj"));
        QVERIFY(QFile::link(own, path));
    }
    const QByteArray before = sha1(own);
    const QStringList files = QDir(program.folder()).entryList(QDir::Files | QDir::System);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(program.folder());
    program.click(qPrintable(button), path);
    QDir::setCurrent(previous);
    QCOMPARE(program.prompts.texts(), QStringList{failure});
    QVERIFY(program.prompts.shown.last().details.contains(QStringLiteral("本程序自己的")));
    QCOMPARE(sha1(own), before);
    QCOMPARE(sha1(QDir(program.folder()).absoluteFilePath(path)), before);
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::System), files);
    QCOMPARE(storedRows(program.folder()).size(), 1);
}

// The reason names the path as typed and what the file is to the program.
void TestDataFileCommands::ownFileRefusalSaysWhatItIs()
{
    Program program({project(QStringLiteral("201100000001"))});
    const QString typed = RecordStore::databaseFileName();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(program.folder());
    program.click("CommandExcel", typed);
    QDir::setCurrent(previous);
    QCOMPARE(program.prompts.shown.last().details,
             typed + QStringLiteral("是本程序自己的数据库文件。"));
}

// The executable that runs is the program's own file wherever it lies.
void TestDataFileCommands::runningProgramRefused()
{
    Program program({project(QStringLiteral("201100000001"))});
    const QString running = QCoreApplication::applicationFilePath();
    const QByteArray before = sha1(running);
    program.click("CommandExcel", running);
    QCOMPARE(program.prompts.texts(), QStringList{kSubmitFailed});
    QCOMPARE(sha1(running), before);
}

void TestDataFileCommands::databaseCompanionsRefused_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("what");
    QTest::newRow("submit to -journal")
        << "CommandExcel" << kSubmitFailed << "-journal" << QStringLiteral("数据库日志文件");
    QTest::newRow("report one to -wal")
        << "Command1" << kSubmitFailed << "-wal" << QStringLiteral("数据库预写日志文件");
    QTest::newRow("checking report to -shm through a link")
        << "CommandSaveCheckReport"
        << QStringLiteral("保存审核结果失败！请检查文件名或磁盘后重试。") << "-shm"
        << QStringLiteral("数据库共享内存文件");
}

// The files SQLite keeps beside the database are the program's own too: SQLite would take a
// file written there for its own and delete it.
void TestDataFileCommands::databaseCompanionsRefused()
{
    QFETCH(QString, button);
    QFETCH(QString, failure);
    QFETCH(QString, suffix);
    QFETCH(QString, what);
    Program program({project(QStringLiteral("201100000001"))});
    const QString companion = program.path(RecordStore::databaseFileName() + suffix);
    QString path = companion;
    if (QByteArray(QTest::currentDataTag()).endsWith("link")) {
        path = program.path(QStringLiteral("link.Txt"));
        QVERIFY(QFile::link(companion, path));
    }
    const QStringList files = QDir(program.folder()).entryList(QDir::Files | QDir::System);
    program.click(qPrintable(button), path);
    QCOMPARE(program.prompts.texts(), QStringList{failure});
    QCOMPARE(program.prompts.shown.last().details,
             path + QStringLiteral("是本程序自己的") + what + QStringLiteral("。"));
    QVERIFY(!QFileInfo::exists(companion));
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::System), files);
}

// A file named like the program's executable in another folder (where a file dialog leaves
// the current folder) is an ordinary file.
void TestDataFileCommands::programNameElsewhereIsWritten()
{
    Program program({project(QStringLiteral("201100000001"))});
    QVERIFY(writeBytes(program.path(QStringLiteral("wobzel2011")), "executable"));
    QTemporaryDir other;
    const QString file = other.filePath(QStringLiteral("wobzel2011"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(other.path());
    program.click("CommandExcel", file);
    QDir::setCurrent(previous);
    QCOMPARE(program.prompts.texts(), QStringList{QStringLiteral("提交数据完成。数据已保存在") +
                                                  file + QStringLiteral("中。")});
    QCOMPARE(readAll(file), fileOf({program.store().row(0)}));
    QCOMPARE(readAll(program.path(QStringLiteral("wobzel2011"))), QByteArray("executable"));
}

void TestDataFileCommands::missingFileName()
{
    Program program({project(QStringLiteral("201100000001"))});
    program.click("CommandExcel", QString(""));
    program.click("Command1", QString(""));
    program.click("CommandAddData", QString(""));
    QCOMPARE(program.prompts.texts(), QStringList() << QStringLiteral("未指定提交数据的文件名！！")
                                                    << QStringLiteral("未指定提交数据的文件名！！")
                                                    << QStringLiteral("请指定文件名！！"));
    QCOMPARE(program.prompts.shown[0].title, QStringLiteral("提交数据"));
    QCOMPARE(program.prompts.shown[0].icon, MessageIcon::Question);
    QCOMPARE(program.prompts.shown[2].title, QStringLiteral("数据追加"));
    QCOMPARE(program.store().recordCount(), 1);
}

void TestDataFileCommands::emptyTableSubmitFails()
{
    Program program;
    const QString file = program.path(QStringLiteral("none.kj"));
    program.click("CommandExcel", file);
    program.click("Command1", file);
    QCOMPARE(program.prompts.texts(), QStringList() << kSubmitFailed << kSubmitFailed);
    // The details in the program's language too.
    QCOMPARE(program.prompts.shown[0].details, QStringLiteral("数据库中没有任何记录。"));
    QCOMPARE(program.prompts.shown[1].details, QStringLiteral("没有当前记录。"));
    QVERIFY(!QFile::exists(file));
}

// The file system's reason is in the message's detailed text and in the log.
void TestDataFileCommands::failedSubmitTellsWhy()
{
    Program program({project(QStringLiteral("201100000001"))});
    const QString path = program.path(QStringLiteral("无此目录/up.kj"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^数据提交失败！")));
    program.click("CommandExcel", path);
    QCOMPARE(program.prompts.texts(), QStringList{kSubmitFailed});
    QCOMPARE(program.prompts.shown.last().details, qt_error_string(ENOENT));
}

void TestDataFileCommands::fullDiskIsNamed_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("submit") << QStringLiteral("CommandExcel");
    QTest::newRow("report one") << QStringLiteral("Command1");
    QTest::newRow("distribute") << QStringLiteral("CommandEachItem");
}

// Records few enough to wait in the file's buffer until it is written out: the reason is the
// file system's, not that of the write cancelled after it.
void TestDataFileCommands::fullDiskIsNamed()
{
    QFETCH(QString, button);
    Program program(
        {project(QStringLiteral("201100000001")), project(QStringLiteral("201100000002"))});
    QTemporaryDir full;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(full.path());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^数据提交失败！")));
    {
        const FileSizeLimit limit(64);
        program.click(qPrintable(button), full.filePath(QStringLiteral("up.kj")));
    }
    QDir::setCurrent(previous);
    QCOMPARE(program.prompts.texts(), QStringList{kSubmitFailed});
    QCOMPARE(program.prompts.shown.last().details, qt_error_string(EFBIG));
    QCOMPARE(QDir(full.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestDataFileCommands)
#include "tst_datafilecommands.moc"
