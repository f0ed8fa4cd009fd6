#include "kjreader.h"

#include <QFile>
#include <QScopeGuard>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace KjFormat {

namespace {

constexpr qsizetype PieceBytes = 64 * 1024;

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// What decoding makes of bytes that are no GBK character: the replacement character, or for a
// lone byte 0xFF (never part of a GBK character) the private character U+F8F5 of code page
// 936, which no other bytes decode to.
bool holdsBytesThatAreNotGbk(QStringView text)
{
    return text.contains(QChar::ReplacementCharacter) || text.contains(KjFormat::LoneByteFF);
}

// Where the item that runs from `p` ends: at the next comma or line end, or at the end of
// the piece.
qsizetype itemEnd(QStringView text, qsizetype p)
{
    while (p < text.size() && text[p] != u',' && !isLineEnd(text[p]))
        ++p;
    return p;
}

bool refused(const ReadError &reason, ReadError *error)
{
    if (error)
        *error = reason;
    return false;
}

bool cannotOpen(const QString &detail, ReadError *error)
{
    ReadError reason;
    reason.kind = ReadError::Kind::CannotOpen;
    reason.detail = detail;
    return refused(reason, error);
}

bool refusedAs(ReadError::Kind kind, ReadError *error)
{
    ReadError reason;
    reason.kind = kind;
    return refused(reason, error);
}

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Opens a regular file for reading, -1 for anything else: a FIFO would wait for a writer, a
// device may never end. A file larger than an append can take is refused before it is read.
int openRegularFile(const QString &path, ReadError *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        cannotOpen(systemReason(), error);
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        cannotOpen(systemReason(), error);
    } else if (!S_ISREG(info.st_mode)) {
        refusedAs(ReadError::Kind::NotRegularFile, error);
    } else if (info.st_size > MaxFileBytes) {
        refusedAs(ReadError::Kind::TooLarge, error);
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

qsizetype readSome(int fd, char *buffer, qsizetype size)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size_t(size));
        if (got >= 0 || errno != EINTR)
            return qsizetype(got);
    }
}

} // namespace

Reader::Reader(int maxRecords) : m_maxRecords(maxRecords)
{
    m_values.reserve(ValuesPerRecord);
    for (int c = 0; c < ValuesPerRecord; ++c)
        m_previous << QString();
}

bool Reader::feed(QStringView text)
{
    qsizetype p = 0;
    while (m_error.kind == ReadError::Kind::None && p < text.size()) {
        switch (m_state) {
        case State::BetweenItems:
            p = skipBetweenItems(text, p);
            break;
        case State::Quoted:
            p = readQuoted(text, p);
            break;
        case State::AfterQuote:
            p = skipAfterQuote(text, p);
            break;
        case State::Unquoted:
            p = readUnquoted(text, p);
            break;
        }
    }
    return m_error.kind == ReadError::Kind::None;
}

bool Reader::finish()
{
    if (m_error.kind != ReadError::Kind::None)
        return false;
    if (m_state == State::Quoted) {
        refuse(ReadError::Kind::UnterminatedQuote);
        m_error.item = m_items + 1;
        return false;
    }
    if (m_state == State::Unquoted) {
        addItem(QStringView(m_partial).trimmed());
        m_partial.clear();
    }
    m_state = State::BetweenItems;
    if (m_error.kind == ReadError::Kind::None && m_items % ValuesPerRecord != 0) {
        refuse(ReadError::Kind::IncompleteRecord);
        m_error.count = m_items;
    }
    return m_error.kind == ReadError::Kind::None;
}

qsizetype Reader::skipBetweenItems(QStringView text, qsizetype p)
{
    while (p < text.size() && (isBlank(text[p]) || isLineEnd(text[p])))
        ++p;
    if (p == text.size())
        return p;
    if (text[p] == u'"') {
        m_state = State::Quoted;
        return p + 1;
    }
    m_state = State::Unquoted;
    return p;
}

qsizetype Reader::readQuoted(QStringView text, qsizetype p)
{
    const qsizetype close = text.indexOf(u'"', p);
    if (close < 0) {
        m_partial += text.mid(p);
        return text.size();
    }
    if (m_partial.isEmpty()) {
        addItem(text.mid(p, close - p));
    } else {
        m_partial += text.mid(p, close - p);
        addItem(m_partial);
        m_partial.clear();
    }
    m_state = State::AfterQuote;
    return close + 1;
}

qsizetype Reader::skipAfterQuote(QStringView text, qsizetype p)
{
    const qsizetype end = itemEnd(text, p);
    if (holdsBytesThatAreNotGbk(text.mid(p, end - p))) {
        refuseBytesOfItem(m_items - 1);
        return end;
    }
    if (end == text.size())
        return end;
    m_state = State::BetweenItems;
    return text[end] == u',' ? end + 1 : end;
}

qsizetype Reader::readUnquoted(QStringView text, qsizetype p)
{
    const qsizetype end = itemEnd(text, p);
    if (end == text.size()) {
        m_partial += text.mid(p);
        return end;
    }
    if (m_partial.isEmpty()) {
        addItem(text.mid(p, end - p).trimmed());
    } else {
        m_partial += text.mid(p, end - p);
        addItem(QStringView(m_partial).trimmed());
        m_partial.clear();
    }
    m_state = State::BetweenItems;
    return text[end] == u',' ? end + 1 : end;
}

void Reader::addItem(QStringView value)
{
    if (holdsBytesThatAreNotGbk(value)) {
        refuseBytesOfItem(m_items);
        return;
    }
    if (value.isNull())
        value = QStringView(u"", 0); // an empty value is stored as empty text, not as NULL
    const int column = int(m_items % ValuesPerRecord);
    QString &previous = m_previous[column];
    if (previous.isNull() || previous != value)
        previous = value.toString();
    m_values << previous;
    ++m_items;
    if (column < ValuesPerRecord - 1)
        return;
    if (m_records.size() >= m_maxRecords) {
        refuse(ReadError::Kind::TooLarge);
        return;
    }
    m_records.append(SurveyRecord(std::move(m_values)));
    m_values = QStringList();
    m_values.reserve(ValuesPerRecord);
}

void Reader::refuseBytesOfItem(qsizetype itemIndex)
{
    refuse(ReadError::Kind::NotGbk);
    m_error.record = itemIndex / ValuesPerRecord + 1;
    m_error.item = itemIndex % ValuesPerRecord + 1;
}

void Reader::refuse(ReadError::Kind kind)
{
    m_error = ReadError();
    m_error.kind = kind;
}

bool parse(QStringView text, QVector<SurveyRecord> *records, ReadError *error)
{
    Reader reader;
    if (!reader.feed(text) || !reader.finish())
        return refused(reader.error(), error);
    if (records)
        *records = reader.takeRecords();
    if (error)
        *error = ReadError();
    return true;
}

bool readFile(const QString &path, QVector<SurveyRecord> *records, ReadError *error)
{
    QStringDecoder decoder(Encoding);
    if (!decoder.isValid())
        return cannotOpen(QStringLiteral("本机无法按 GBK 编码读取文字。"), error);
    const int fd = openRegularFile(path, error);
    if (fd < 0)
        return false;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    Reader reader;
    QByteArray piece(PieceBytes, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qsizetype got = readSome(fd, piece.data(), piece.size());
        if (got < 0)
            return cannotOpen(systemReason(), error);
        if (got == 0)
            break;
        total += got;
        if (total > MaxFileBytes) // it grew while being read
            return refusedAs(ReadError::Kind::TooLarge, error);
        const QString text = decoder.decode(QByteArrayView(piece.constData(), got));
        if (!reader.feed(text))
            return refused(reader.error(), error);
    }
    // The decoder holds back a lead byte until its trail byte comes. A line end, which is no
    // trail byte, brings a lone lead byte out as a replacement character, and is itself passed
    // over like any line end at the end of a file.
    const QString end = decoder.decode(QByteArrayView("\n", 1));
    if (!reader.feed(end) || !reader.finish())
        return refused(reader.error(), error);
    if (records)
        *records = reader.takeRecords();
    if (error)
        *error = ReadError();
    return true;
}

} // namespace KjFormat
