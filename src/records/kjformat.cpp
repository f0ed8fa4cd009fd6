#include "kjformat.h"

#include <QFile>
#include <QStringDecoder>

namespace KjFormat {

namespace {

const char *const kEncoding = "GBK";

void appendRecordText(QString &out, const SurveyRecord &record, const QString &emptyText)
{
    for (const QString &value : record.values()) {
        out += u'"';
        if (value.isEmpty()) {
            out += emptyText;
        } else {
            const qsizetype start = out.size();
            out += value;
            // No escape exists in the format: a double quote would end the item early.
            for (qsizetype i = start; i < out.size(); ++i) {
                if (out.at(i) == u'"')
                    out[i] = u'\'';
            }
        }
        out += QLatin1String("\",");
    }
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QString recordText(const SurveyRecord &record, const QString &emptyText)
{
    QString text;
    appendRecordText(text, record, emptyText);
    return text;
}

QByteArray encodeRecord(const SurveyRecord &record, const QString &emptyText)
{
    QStringEncoder encoder(kEncoding);
    return encoder.encode(recordText(record, emptyText));
}

bool parse(QStringView text, QVector<SurveyRecord> *records, ReadError *error)
{
    QVector<SurveyRecord> parsed;
    QStringList values;
    values.reserve(ValuesPerRecord);
    qsizetype itemCount = 0;
    const QChar *const data = text.data();
    const qsizetype size = text.size();
    qsizetype p = 0;
    for (;;) {
        while (p < size && (isBlank(data[p]) || isLineEnd(data[p])))
            ++p;
        if (p >= size)
            break;
        if (data[p] == u'"') {
            const qsizetype close = text.indexOf(u'"', p + 1);
            if (close < 0) {
                if (error) {
                    error->kind = ReadError::Kind::UnterminatedQuote;
                    error->item = itemCount + 1;
                }
                return false;
            }
            values << QString(data + p + 1, close - p - 1);
            p = close + 1;
            while (p < size && data[p] != u',' && !isLineEnd(data[p]))
                ++p;
        } else {
            const qsizetype start = p;
            while (p < size && data[p] != u',' && !isLineEnd(data[p]))
                ++p;
            values << text.mid(start, p - start).trimmed().toString();
        }
        if (p < size && data[p] == u',')
            ++p;
        if (++itemCount % ValuesPerRecord == 0) {
            parsed.append(SurveyRecord(values));
            values.clear();
            values.reserve(ValuesPerRecord);
        }
    }
    if (itemCount % ValuesPerRecord != 0) {
        if (error) {
            error->kind = ReadError::Kind::IncompleteRecord;
            error->count = itemCount;
        }
        return false;
    }
    if (records)
        *records = std::move(parsed);
    if (error)
        *error = ReadError();
    return true;
}

bool readFile(const QString &path, QVector<SurveyRecord> *records, ReadError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            error->kind = ReadError::Kind::CannotOpen;
            error->detail = file.errorString();
        }
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) {
            error->kind = ReadError::Kind::CannotOpen;
            error->detail = file.errorString();
        }
        return false;
    }
    QStringDecoder decoder(kEncoding);
    const QString text = decoder.decode(bytes);
    return parse(text, records, error);
}

Writer::Writer(const QString &path) : m_file(path), m_encoder(kEncoding) {}

bool Writer::open()
{
    m_failed = !m_encoder.isValid() || !m_file.open(QIODevice::WriteOnly);
    return !m_failed;
}

bool Writer::write(const SurveyRecord &record, const QString &emptyText)
{
    if (m_failed)
        return false;
    m_text.clear();
    appendRecordText(m_text, record, emptyText);
    const QByteArray bytes = m_encoder.encode(m_text);
    if (m_file.write(bytes) != bytes.size())
        m_failed = true;
    return !m_failed;
}

bool Writer::commit()
{
    if (m_failed) {
        m_file.cancelWriting();
        return false;
    }
    return m_file.commit();
}

QString Writer::errorString() const
{
    return m_encoder.isValid() ? m_file.errorString()
                               : QStringLiteral("no GBK text encoding available");
}

} // namespace KjFormat
