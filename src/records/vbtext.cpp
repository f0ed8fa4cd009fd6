#include "vbtext.h"

#include <algorithm>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace VbText {
namespace {

bool isDropped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The longest prefix of `s` (already stripped of dropped characters) that spells a number.
std::string numberPrefix(const std::string &s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool point = false;
    size_t digits = 0;
    while (i < s.size()) {
        if (s[i] >= '0' && s[i] <= '9') {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (digits == 0)
        return {};
    std::string out = s.substr(0, i);
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const size_t expDigits = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j;
        if (j > expDigits)
            out += 'e' + s.substr(i + 1, j - i - 1);
    }
    return out;
}

QString trimExponentText(QString text)
{
    // "1.234568e+07" -> "1.234568E+07"; "1e+07" stays "1E+07"; drop trailing zeros of the
    // mantissa and a point with nothing behind it.
    const int e = text.indexOf(u'e');
    QString mantissa = e < 0 ? text : text.left(e);
    QString exponent = e < 0 ? QString() : text.mid(e + 1);
    if (mantissa.contains(u'.')) {
        while (mantissa.endsWith(u'0'))
            mantissa.chop(1);
        if (mantissa.endsWith(u'.'))
            mantissa.chop(1);
    }
    if (exponent.isEmpty())
        return mantissa;
    const QChar sign = exponent.startsWith(u'-') ? u'-' : u'+';
    if (exponent.startsWith(u'-') || exponent.startsWith(u'+'))
        exponent.remove(0, 1);
    while (exponent.size() > 2 && exponent.startsWith(u'0'))
        exponent.remove(0, 1);
    if (exponent.size() < 2)
        exponent.prepend(u'0');
    return mantissa + u'E' + sign + exponent;
}

QString significantText(double value, int digits)
{
    if (value == 0)
        return QStringLiteral("0");
    const QString scientific = QString::number(std::fabs(value), 'e', digits - 1);
    const int exponent = scientific.mid(scientific.indexOf(u'e') + 1).toInt();
    QString text;
    if (exponent >= digits || exponent < -5) {
        text = trimExponentText(scientific);
    } else {
        text = QString::number(scientific.toDouble(), 'f', std::max(0, digits - 1 - exponent));
        text = trimExponentText(text);
        if (text.startsWith(QLatin1String("0.")))
            text.remove(0, 1); // written as ".5", without the zero
    }
    return value < 0 ? u'-' + text : text;
}

// Whether a trimmed text is a sign, digits and at most one point, with at least one digit.
bool isPlainDecimal(QStringView text)
{
    const QStringView body = text.startsWith(u'-') || text.startsWith(u'+') ? text.mid(1) : text;
    return std::any_of(body.cbegin(), body.cend(), isDigit) && body.count(u'.') <= 1 &&
           std::all_of(body.cbegin(), body.cend(), [](QChar c) { return isDigit(c) || c == u'.'; });
}

// A plain decimal text rounded half away from zero to its whole digits, however many, without
// going through a double: "-12.5" gives "-13", "007" gives "7".
QString roundedDecimal(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView body = text.startsWith(u'-') || text.startsWith(u'+') ? text.mid(1) : text;
    const qsizetype point = body.indexOf(u'.');
    QString whole = body.left(point < 0 ? body.size() : point).toString();
    if (point >= 0 && point + 1 < body.size() && body[point + 1] >= u'5') {
        qsizetype d = whole.size() - 1;
        for (; d >= 0 && whole[d] == u'9'; --d)
            whole[d] = u'0';
        if (d < 0)
            whole.prepend(u'1');
        else
            whole[d] = QChar(whole[d].unicode() + 1);
    }
    qsizetype first = 0;
    while (first < whole.size() && whole[first] == u'0')
        ++first;
    whole.remove(0, first);
    if (whole.isEmpty())
        return QStringLiteral("0");
    return negative ? u'-' + whole : whole;
}

// A whole number of 10^15 or more as format "0" shows it: its first 15 significant digits, then
// zeros up to the units, never an exponent ("99999999999999999" shows "100000000000000000").
QString largeWholeNumber(double value)
{
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    const int exponent = scientific.mid(e + 1).toInt();
    const QString digits = scientific.left(e).remove(u'.').leftJustified(exponent + 1, u'0');
    return value < 0 ? u'-' + digits : digits;
}

// Reads the common case, a whole number of at most 15 digits (exact in a double), without the
// general conversion. False when the text needs the general reading (a point, an exponent
// letter, more digits).
bool readWholeNumber(QStringView text, double *value)
{
    bool negative = false;
    bool signSeen = false;
    int digits = 0;
    qint64 whole = 0;
    for (QChar c : text) {
        if (isDropped(c))
            continue;
        if (isDigit(c)) {
            if (++digits > 15)
                return false;
            whole = whole * 10 + (c.unicode() - u'0');
        } else if (!signSeen && digits == 0 && (c == u'+' || c == u'-')) {
            negative = c == u'-';
        } else if (c == u'.' || c == u'e' || c == u'E' || c == u'd' || c == u'D') {
            return false;
        } else {
            break;
        }
        signSeen = true;
    }
    *value = digits == 0 ? 0 : negative ? -double(whole) : double(whole);
    return true;
}

} // namespace

double numericValue(QStringView text)
{
    double whole = 0;
    if (readWholeNumber(text, &whole))
        return whole;
    std::string compact;
    compact.reserve(size_t(text.size()));
    for (QChar c : text) {
        if (isDropped(c))
            continue;
        if (c.unicode() > 0x7f)
            break;
        compact += char(c.unicode());
    }
    const std::string prefix = numberPrefix(compact);
    if (prefix.empty())
        return 0;
    // Read in the C locale: "." is the decimal point whatever the user's locale says.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    double value = strtod_l(prefix.c_str(), nullptr, cLocale);
    if (std::isinf(value))
        value = value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

bool isNumber(QStringView text)
{
    const QString trimmed = text.toString().trimmed();
    if (trimmed.isEmpty())
        return false;
    for (QChar c : trimmed) {
        if (!isDigit(c) && c != u'.' && c != u'+' && c != u'-' && c != u'e' && c != u'E')
            return false;
    }
    bool ok = false;
    trimmed.toDouble(&ok);
    return ok;
}

QString numberText(double value)
{
    // Whole numbers below 10^15, the usual counts and sums, are just their digits.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        const QString digits = QString::number(qint64(value));
        return value < 0 ? digits : u' ' + digits;
    }
    const QString text = significantText(value, 15);
    return value < 0 ? text : u' ' + text;
}

QString numberTextSingle(float value)
{
    const QString text = significantText(double(value), 7);
    return value < 0 ? text : u' ' + text;
}

QString wholeNumberDisplay(const QString &stored)
{
    // Plain digits without a leading zero, short enough to be exact, show as they are.
    const bool plainDigits =
        !stored.isEmpty() && (stored.size() == 1 || stored.front() != u'0') &&
        std::all_of(stored.cbegin(), stored.cend(), [](QChar c) { return isDigit(c); });
    if (plainDigits && stored.size() <= 15)
        return stored;
    if (!isNumber(stored))
        return stored;
    const QString trimmed = stored.trimmed();
    const double value = trimmed.toDouble();
    if (std::fabs(value) >= 1e15)
        return largeWholeNumber(std::round(value));
    if (isPlainDecimal(trimmed))
        return roundedDecimal(trimmed);
    const double rounded = std::round(value);
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 0);
}

} // namespace VbText
