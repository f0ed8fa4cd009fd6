#pragma once

#include "kjformat.h"

#include <QStringList>

namespace KjFormat {

// Reads decoded `.kj` text into records, piece by piece, as parse() describes; a piece may
// end anywhere, inside an item too. A value equal to the one before it in the same column
// shares that one's text, so that a large file of repeated values takes little memory.
class Reader
{
public:
    explicit Reader(int maxRecords = MaxRecords);

    // Takes the next piece of the text. False once the text is refused; error() says why.
    bool feed(QStringView text);
    // The text has ended. False when it is refused.
    bool finish();
    const ReadError &error() const { return m_error; }
    QVector<SurveyRecord> takeRecords() { return std::move(m_records); }

private:
    enum class State { BetweenItems, Quoted, AfterQuote, Unquoted };

    qsizetype skipBetweenItems(QStringView text, qsizetype p);
    qsizetype readQuoted(QStringView text, qsizetype p);
    qsizetype skipAfterQuote(QStringView text, qsizetype p);
    qsizetype readUnquoted(QStringView text, qsizetype p);
    // The item's value is complete: the item ends, and with its 137th item a record.
    void addItem(QStringView value);
    void refuseBytesOfItem(qsizetype itemIndex);
    void refuse(ReadError::Kind kind);

    State m_state = State::BetweenItems;
    QString m_partial; // an item that began in an earlier piece
    QStringList m_values;
    QStringList m_previous; // the last value of each column
    QVector<SurveyRecord> m_records;
    qsizetype m_items = 0;
    int m_maxRecords;
    ReadError m_error;
};

} // namespace KjFormat
