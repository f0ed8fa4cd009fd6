#include "kjformat.h"

#include "flushfully.h"

namespace KjFormat {

namespace {

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
                else if (out.at(i) == LoneByteFF)
                    out[i] = u'?';
            }
        }
        out += QLatin1String("\",");
    }
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
    QStringEncoder encoder(Encoding);
    return encoder.encode(recordText(record, emptyText));
}

Writer::Writer(const QString &path) : m_file(path), m_encoder(Encoding) {}

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
    // QSaveFile puts its file in place even when writing out its last buffered bytes fails
    // (a full disk): those are written out first.
    if (m_failed || !flushFully(m_file)) {
        m_failed = true;
        // Cancelling puts its own words in place of the file system's.
        m_cancelledBecause = m_file.errorString();
        m_file.cancelWriting();
        return false;
    }
    m_placingFailed = !m_file.commit();
    return !m_placingFailed;
}

QString Writer::errorString() const
{
    if (!m_encoder.isValid())
        return QStringLiteral("本机无法按 GBK 编码写入文字。");
    return m_cancelledBecause.isEmpty() ? m_file.errorString() : m_cancelledBecause;
}

} // namespace KjFormat
