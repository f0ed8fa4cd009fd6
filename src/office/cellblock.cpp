#include "cellblock.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const CellValue kEmpty;

bool readsAsNumber(const QString &text, double *value)
{
    static const QRegularExpression plainNumber(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!plainNumber.match(trimmed).hasMatch())
        return false;
    bool ok = false;
    *value = trimmed.toDouble(&ok);
    return ok;
}

} // namespace

QString CellValue::text() const
{
    switch (kind) {
    case Kind::Empty:
        return QString();
    case Kind::Text:
        return string;
    case Kind::Number:
        break;
    }
    QString shown = QString::number(number, 'g', 15);
    shown.replace(QLatin1String("e+"), QLatin1String("E+"));
    shown.replace(QLatin1String("e-"), QLatin1String("E-"));
    return shown;
}

double CellValue::toNumber(bool *ok) const
{
    double value = 0;
    bool read = true;
    if (kind == Kind::Number)
        value = number;
    else if (kind == Kind::Text)
        read = readsAsNumber(string, &value);
    if (ok)
        *ok = read;
    return read ? value : 0;
}

bool CellValue::operator==(const CellValue &other) const
{
    if (kind != other.kind)
        return false;
    if (kind == Kind::Number)
        return number == other.number;
    return kind == Kind::Empty || string == other.string;
}

CellValue cellValueOfWrittenText(const QString &text)
{
    double value = 0;
    if (readsAsNumber(text, &value))
        return CellValue::fromNumber(value);
    if (text.isEmpty())
        return CellValue();
    return CellValue::fromText(text);
}

QString cellName(int row, int column)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters + QString::number(row);
}

CellBlock::CellBlock(int top, int left, int rows, int columns)
    : m_top(top), m_left(left), m_rows(qMax(0, rows)), m_columns(qMax(0, columns))
{
    const int size = m_rows * m_columns;
    m_values.resize(size);
    m_texts.resize(size);
    m_written.fill(false, size);
}

bool CellBlock::contains(int row, int column) const
{
    return row >= m_top && row <= bottom() && column >= m_left && column <= right();
}

int CellBlock::index(int row, int column) const
{
    return contains(row, column) ? (row - m_top) * m_columns + (column - m_left) : -1;
}

const CellValue &CellBlock::value(int row, int column) const
{
    const int i = index(row, column);
    return i < 0 ? kEmpty : m_values.at(i);
}

void CellBlock::setValue(int row, int column, const CellValue &value)
{
    const int i = index(row, column);
    if (i >= 0)
        m_values[i] = value;
}

void CellBlock::setText(int row, int column, const QString &text)
{
    const int i = index(row, column);
    if (i < 0)
        return;
    if (!m_written.at(i))
        ++m_writtenCount;
    m_written[i] = true;
    m_texts[i] = text;
}

bool CellBlock::isWritten(int row, int column) const
{
    const int i = index(row, column);
    return i >= 0 && m_written.at(i);
}

QString CellBlock::writtenText(int row, int column) const
{
    const int i = index(row, column);
    return i < 0 ? QString() : m_texts.at(i);
}

QVector<CellRect> CellBlock::writtenRects() const
{
    QVector<CellRect> done;
    QVector<CellRect> open; // rectangles that reach the row above
    for (int row = m_top; row <= bottom(); ++row) {
        QVector<CellRect> reaching;
        for (int column = m_left; column <= right(); ++column) {
            if (!isWritten(row, column))
                continue;
            int end = column;
            while (end < right() && isWritten(row, end + 1))
                ++end;
            const CellRect run{row, column, 1, end - column + 1};
            auto above = std::find_if(open.begin(), open.end(), [&](const CellRect &r) {
                return r.left == run.left && r.columns == run.columns;
            });
            if (above != open.end()) {
                ++above->rows;
                reaching.append(*above);
                open.erase(above);
            } else {
                reaching.append(run);
            }
            column = end;
        }
        done += open;
        open = reaching;
    }
    done += open;
    std::sort(done.begin(), done.end(), [](const CellRect &a, const CellRect &b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return done;
}
