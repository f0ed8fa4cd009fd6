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
// "?". The format has no escape for a double quote, so one inside a value is written as "'".
namespace KjFormat {

constexpr int ValuesPerRecord = FieldCatalogue::ColumnCount;
constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;
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
    enum class Kind { None, CannotOpen, UnterminatedQuote, IncompleteRecord };
    Kind kind = Kind::None;
    qsizetype item = 0;  // UnterminatedQuote: the item (from 1) whose quote is not closed
    qsizetype count = 0; // IncompleteRecord: the number of items in the file
    QString detail;      // CannotOpen: the system's reason
};

// Splits decoded file text into records. Items are read the way the peers' program reads
// them: a quoted item runs to the next double quote (line breaks inside are kept), and
// anything after its closing quote up to the next comma or line end is passed over; an
// unquoted item runs to the next comma or line end, surrounding blanks dropped. Blanks and
// line ends between items and at the end of the file are passed over. A quote that is never
// closed, or a number of items that is not a multiple of 137, refuses the whole text.
bool parse(QStringView text, QVector<SurveyRecord> *records, ReadError *error);
// Reads and decodes (GBK) a whole file, then parses it.
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
    QString errorString() const;

private:
    QSaveFile m_file;
    QStringEncoder m_encoder;
    QString m_text;
    bool m_failed = false;
};

} // namespace KjFormat
