#pragma once

#include "surveyrecord.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringEncoder>
#include <QVector>

// The `.kj` data file the survey's units exchange: GBK text, records one after another,
// each of the 137 values in RecordColumns order written as a double-quoted string followed
// by a comma, with no line break outside the values. A character outside GBK is written as
// "?", U+F8F5 too (code page 936 would write it as a lone byte 0xFF, which is no character);
// byte 0x80 is the euro sign, as the peers write it. The format has no escape for a double
// quote, so one inside a value is written as "'".
namespace KjFormat {

constexpr const char *Encoding = "GBK";
constexpr int ValuesPerRecord = FieldCatalogue::ColumnCount;
// The most one append takes: every record of a file is held in memory until the file has
// been read whole, and every row of the table afterwards.
constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;
constexpr int MaxRecords = 250000;
// What GBK decoding makes of a lone byte 0xFF.
constexpr char16_t LoneByteFF = 0xF8F5;
inline QString submitEmptyText()
{
    return QStringLiteral(" ");
}
inline QString distributeEmptyText()
{
    return QStringLiteral(".");
}
inline QString fileSuffix()
{
    return QStringLiteral(".kj");
}

// The text of one record as it stands in a file: an empty value is written as `emptyText`.
QString recordText(const SurveyRecord &record, const QString &emptyText);
// The same as GBK bytes.
QByteArray encodeRecord(const SurveyRecord &record, const QString &emptyText);

// What is wrong with a file that cannot be appended.
struct ReadError
{
    enum class Kind {
        None,
        CannotOpen,
        NotRegularFile, // a folder, a device, a FIFO...
        TooLarge,       // more than MaxFileBytes or MaxRecords
        UnterminatedQuote,
        IncompleteRecord,
        NotGbk, // bytes that are no GBK character
    };
    Kind kind = Kind::None;
    qsizetype record = 0; // NotGbk: the record (from 1) that holds them
    qsizetype item = 0;   // UnterminatedQuote: the item (from 1) in the file whose quote is not
                          // closed; NotGbk: the item (from 1) within its record
    qsizetype count = 0;  // IncompleteRecord: the number of items in the file
    QString detail;       // CannotOpen: the system's reason
};

// Splits decoded file text into records. Items are read the way the peers' program reads
// them: a quoted item runs to the next double quote (line breaks inside are kept), and
// anything after its closing quote up to the next comma or line end is passed over; an
// unquoted item runs to the next comma or line end, surrounding blanks dropped. Blanks and
// line ends between items and at the end of the file are passed over. A quote that is never
// closed, a number of items that is not a multiple of 137, a replacement character or U+F8F5
// (what decoding makes of bytes that are not GBK, of a lone 0xFF) or more than MaxRecords
// records refuse the whole text.
bool parse(QStringView text, QVector<SurveyRecord> *records, ReadError *error);
// Reads a regular file as a stream, decoding (GBK) and parsing it piece by piece. Anything
// but a regular file, or a file larger than MaxFileBytes, is refused before it is read.
bool readFile(const QString &path, QVector<SurveyRecord> *records, ReadError *error);

// Writes a `.kj` file under a temporary name and puts it in place on commit(), so that a
// failure leaves no partial file and keeps an existing one.
class Writer
{
public:
    explicit Writer(const QString &path);
    bool open();
    bool write(const SurveyRecord &record, const QString &emptyText);
    bool commit();
    // After a failed commit: the file was written in full but could not be put in place
    // under its name (a folder of that name, a name the file system takes no file under).
    bool placingFailed() const { return m_placingFailed; }
    QString errorString() const;

private:
    QSaveFile m_file;
    QStringEncoder m_encoder;
    QString m_text;
    QString m_cancelledBecause; // why the write was cancelled, in the file system's words
    bool m_failed = false;
    bool m_placingFailed = false;
};

} // namespace KjFormat
