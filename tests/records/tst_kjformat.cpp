#include "filesizelimit.h"
#include "kjformat.h"
#include "kjreader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One record whose values are all empty but for the given columns.
SurveyRecord recordWith(const QVector<QPair<int, QString>> &values)
{
    SurveyRecord record;
    for (const auto &v : values)
        record.setValue(v.first, v.second);
    return record;
}

QByteArray repeated(const QByteArray &item, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += item;
    return out;
}

// The text of `records` records whose values are "r<record>c<column>".
QString numberedText(int records)
{
    QString text;
    for (int r = 0; r < records; ++r) {
        for (int c = 0; c < KjFormat::ValuesPerRecord; ++c)
            text += QStringLiteral("\"r%1c%2\",").arg(r).arg(c);
    }
    return text;
}

} // namespace

class TestKjFormat : public QObject
{
    Q_OBJECT

private slots:
    void recordBytes_data();
    void recordBytes();
    void parse_data();
    void parse();
    void parseKeepsValues();
    void readerTakesTextInPieces();
    void readFileDecodesAcrossPieces();
    void writerKeepsExistingFileOnFailure();
};

// The bytes of the first item (JB01) of an otherwise empty record.
void TestKjFormat::recordBytes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("emptyText");
    QTest::addColumn<QByteArray>("item");

    const QString submit = KjFormat::submitEmptyText();
    const QString distribute = KjFormat::distributeEmptyText();
    QTest::newRow("Chinese as GBK")
        << QStringLiteral("中文") << submit << QByteArray("\"\xD6\xD0\xCE\xC4\",");
    QTest::newRow("empty on submit") << QString() << submit << QByteArray("\" \",");
    QTest::newRow("empty on distribute") << QString() << distribute << QByteArray("\".\",");
    QTest::newRow("one blank as it is")
        << QStringLiteral(" ") << distribute << QByteArray("\" \",");
    QTest::newRow("comma kept") << QStringLiteral("a,b") << submit << QByteArray("\"a,b\",");
    QTest::newRow("CR LF kept") << QStringLiteral("一\r\n二") << submit
                                << QByteArray("\"\xD2\xBB\r\n\xB6\xFE\",");
    QTest::newRow("double quote as apostrophe")
        << QStringLiteral("say \"hi\"") << submit << QByteArray("\"say 'hi'\",");
    QTest::newRow("double quote first as apostrophe")
        << QStringLiteral("\"hi") << submit << QByteArray("\"'hi\",");
    QTest::newRow("outside GBK as question mark")
        << QStringLiteral("aกb") << submit << QByteArray("\"a?b\",");
    QTest::newRow("euro sign of code page 936")
        << QStringLiteral("€") << submit << QByteArray("\"\x80\",");
    QTest::newRow("what a lone 0xFF decodes to as question mark")
        << QString(QChar(KjFormat::LoneByteFF)) << submit << QByteArray("\"?\",");
}

void TestKjFormat::recordBytes()
{
    QFETCH(QString, value);
    QFETCH(QString, emptyText);
    QFETCH(QByteArray, item);
    const QByteArray bytes = KjFormat::encodeRecord(recordWith({{0, value}}), emptyText);
    const QByteArray rest = repeated('"' + emptyText.toLatin1() + "\",", 136);
    QCOMPARE(bytes, item + rest);
}

void TestKjFormat::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("errorKind");
    QTest::addColumn<int>("errorNumber"); // item or item count

    const int ok = int(KjFormat::ReadError::Kind::None);
    const int open = int(KjFormat::ReadError::Kind::UnterminatedQuote);
    const int incomplete = int(KjFormat::ReadError::Kind::IncompleteRecord);
    const QString two = numberedText(2);
    QTest::newRow("empty file") << QString() << 0 << ok << 0;
    QTest::newRow("two records") << two << 2 << ok << 0;
    QTest::newRow("trailing CR LF") << two + QStringLiteral("\r\n") << 2 << ok << 0;
    QTest::newRow("trailing blanks and line ends")
        << two + QStringLiteral(" \r\n\r\n \n") << 2 << ok << 0;
    QTest::newRow("line ends between items")
        << numberedText(1).replace(QStringLiteral(","), QStringLiteral(",\r\n")) << 1 << ok << 0;
    QTest::newRow("no comma after the last item") << two.chopped(1) << 2 << ok << 0;
    QTest::newRow("truncated inside a record")
        << two.left(two.indexOf(QStringLiteral("\"r1c5\""))) << 0 << incomplete << 142;
    QTest::newRow("one item too many") << two + QStringLiteral("\"x\",") << 0 << incomplete << 275;
    QTest::newRow("unterminated quote") << two + QStringLiteral("\"cut off") << 0 << open << 275;
    QTest::newRow("file cut inside a value") << two.left(two.size() - 4) << 0 << open << 274;
}

void TestKjFormat::parse()
{
    QFETCH(QString, text);
    QFETCH(int, records);
    QFETCH(int, errorKind);
    QFETCH(int, errorNumber);
    QVector<SurveyRecord> parsed{SurveyRecord()};
    KjFormat::ReadError error;
    const bool ok = KjFormat::parse(text, &parsed, &error);
    QCOMPARE(int(error.kind), errorKind);
    QCOMPARE(ok, errorKind == int(KjFormat::ReadError::Kind::None));
    if (ok) {
        QCOMPARE(parsed.size(), records);
        for (int r = 0; r < records; ++r) {
            QCOMPARE(parsed[r].value(0), QStringLiteral("r%1c0").arg(r));
            QCOMPARE(parsed[r].value(136), QStringLiteral("r%1c136").arg(r));
        }
    } else {
        QCOMPARE(parsed.size(), 1); // left alone
        QCOMPARE(errorKind == int(KjFormat::ReadError::Kind::UnterminatedQuote) ? error.item
                                                                                : error.count,
                 qsizetype(errorNumber));
    }
}

// Values as the peers' reader takes them: line breaks kept inside quotes, blanks around an
// unquoted item dropped, anything between a closing quote and the comma passed over.
void TestKjFormat::parseKeepsValues()
{
    QString text = numberedText(1);
    text.replace(QStringLiteral("\"r0c0\""), QStringLiteral("\"一\r\n二,三\""));
    text.replace(QStringLiteral("\"r0c1\""), QStringLiteral("  plain  "));
    text.replace(QStringLiteral("\"r0c2\""), QStringLiteral("\"\""));
    text.replace(QStringLiteral("\"r0c3\""), QStringLiteral("\"kept\"dropped"));
    text.replace(QStringLiteral("\"r0c4\""), QStringLiteral("\" \""));
    QVector<SurveyRecord> parsed;
    QVERIFY(KjFormat::parse(text, &parsed, nullptr));
    QCOMPARE(parsed.size(), 1);
    QCOMPARE(parsed[0].value(0), QStringLiteral("一\r\n二,三"));
    QCOMPARE(parsed[0].value(1), QStringLiteral("plain"));
    QCOMPARE(parsed[0].value(2), QString());
    QCOMPARE(parsed[0].value(3), QStringLiteral("kept"));
    QCOMPARE(parsed[0].value(4), QStringLiteral(" "));
    QCOMPARE(parsed[0].value(5), QStringLiteral("r0c5"));
}

// The text may be cut anywhere: inside a value, between a closing quote and its comma, inside
// a line end. Past the most records an append takes, the text is refused.
void TestKjFormat::readerTakesTextInPieces()
{
    QString text = numberedText(3);
    text.replace(QStringLiteral("\"r0c0\""), QStringLiteral("\"一\r\n二,三\""));
    text.replace(QStringLiteral("\"r1c1\","), QStringLiteral("  plain  \r\n"));
    text.replace(QStringLiteral("\"r2c3\""), QStringLiteral("\"kept\"dropped"));
    QVector<SurveyRecord> whole;
    QVERIFY(KjFormat::parse(text, &whole, nullptr));
    QCOMPARE(whole[1].value(1), QStringLiteral("plain"));
    for (int size : {1, 2, 3, 7, 64}) {
        KjFormat::Reader reader;
        for (qsizetype p = 0; p < text.size(); p += size)
            QVERIFY(reader.feed(QStringView(text).mid(p, size)));
        QVERIFY(reader.finish());
        QCOMPARE(reader.takeRecords(), whole);
    }
    KjFormat::Reader small(2);
    QVERIFY(!small.feed(text));
    QCOMPARE(small.error().kind, KjFormat::ReadError::Kind::TooLarge);
}

// A file read in pieces, with characters of two bytes cut between them; the euro sign comes
// back from its byte 0x80.
void TestKjFormat::readFileDecodesAcrossPieces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.kj"));
    QVector<SurveyRecord> written;
    KjFormat::Writer writer(path);
    QVERIFY(writer.open());
    for (int r = 0; r < 400; ++r) {
        SurveyRecord record = recordWith({{0, QStringLiteral("项目%1").arg(r)}});
        record.setValue(r % 137, QStringLiteral("a中文€") + QString(r % 5, u'b'));
        QVERIFY(writer.write(record, KjFormat::submitEmptyText()));
        for (int c = 0; c < KjFormat::ValuesPerRecord; ++c) {
            if (record.value(c).isEmpty())
                record.setValue(c, KjFormat::submitEmptyText());
        }
        written << record;
    }
    QVERIFY(writer.commit());
    QVERIFY(QFileInfo(path).size() > 3 * 64 * 1024);
    QVector<SurveyRecord> read;
    QVERIFY(KjFormat::readFile(path, &read, nullptr));
    QCOMPARE(read, written);
}

void TestKjFormat::writerKeepsExistingFileOnFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.kj"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    {
        KjFormat::Writer writer(path);
        QVERIFY(writer.open());
        QVERIFY(writer.write(SurveyRecord(), KjFormat::submitEmptyText()));
        // Left without commit, as when a later step fails.
    }
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    old.close();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.kj")});

    KjFormat::Writer nowhere(dir.filePath(QStringLiteral("missing/x.kj")));
    QVERIFY(!nowhere.open() || !nowhere.commit());

    // A disk that takes only the first bytes of a record.
    bool written = true;
    {
        const FileSizeLimit full(64);
        KjFormat::Writer writer(path);
        written = writer.open() && writer.write(SurveyRecord(), KjFormat::submitEmptyText()) &&
                  writer.commit();
    }
    QVERIFY(!written);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
}

QTEST_GUILESS_MAIN(TestKjFormat)
#include "tst_kjformat.moc"
