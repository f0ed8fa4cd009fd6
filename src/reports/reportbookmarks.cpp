#include "reportbookmarks.h"

namespace ReportBookmarks {

namespace {

// The filling order.
const char *const kNames[Count] = {
    "JB01",    "JB02",    "ZGDW",   "XMCDDW", "JB03",   "JB04",   "JB05",   "JB06",   "TBSJ_1",
    "TBSJ_2",  "TBSJ_3",  "JB21",   "JB22",   "JB23",   "JB24",   "JB25",   "JB26",   "JB27",
    "JB411",   "JB412",   "JB413",  "JB421",  "JB422",  "JB423",  "JB431",  "JB432",  "JB433",
    "JB441",   "JB442",   "JB443",  "JB451",  "JB452",  "JB453",  "JB461",  "JB462",  "JB463",
    "JB471",   "JB472",   "JB473",  "JB481",  "JB482",  "JB483",  "JB51",   "JB52",   "JB53",
    "JB54",    "JB61",    "JB62",   "JB63_1", "JB63_2", "JB64",   "JB65",   "JB71",   "JB72_01",
    "JB72_02", "JB72_03", "JB81",   "JB82_1", "JB82_2", "JB83",   "JF1001", "JF1002", "JF1701",
    "JF1702",  "JF1101",  "JF1102", "JF1201", "JF1202", "JF1301", "JF1302", "JF1401", "JF1402",
    "JF1501",  "JF1502",  "JF1601", "JF1602", "JF2001", "JF2002", "JF3001", "JF3002", "JF3111",
    "JF3112",  "JF3121",  "JF3122", "JF3131", "JF3132", "JF3141", "JF3142", "JF4001", "JF4002",
    "JF4101",  "JF4102",  "JL100",  "JL110",  "JL111",  "JL430",  "JL440",  "JL120",  "JL121",
    "JL130",   "JL131",   "JL140",  "JL150",  "JL160",  "JL190",  "JL200",  "JL300",  "JL400",
    "JL410",   "JL420",   "JG131",  "JG102",  "JG302",  "JG402",  "JG160",  "JG170",  "JGCSCD",
    "JG512",   "JG522",   "JG532",  "JG542",  "JG702",  "JG710",  "JG711",  "JG720",  "JG802",
    "JG901",   "JG911",   "JG912",  "JG913",  "JG902",  "JG914",  "JG915",  "JG916",  "JG920",
    "JDCG",
};

enum class Take { First, Middle, Last };

// The bookmarks that take part of their field's text: `length` characters, the first ones,
// the ones from character `from` (counted from 1), or the last ones.
struct CutRow
{
    const char *bookmark;
    const char *field;
    Take take;
    int from;
    int length;
};

// clang-format off
const CutRow kCuts[] = {
    {"TBSJ_1",  "TBSJ",    Take::First,  1, 4},
    {"TBSJ_2",  "TBSJ",    Take::Middle, 6, 2},
    {"TBSJ_3",  "TBSJ",    Take::Last,   0, 2},
    {"JB25",    "JB25",    Take::First,  1, 2},
    {"JB27",    "JB27",    Take::First,  1, 1},
    {"JB61",    "JB61",    Take::First,  1, 4},
    {"JB62",    "JB62",    Take::First,  1, 2},
    {"JB64",    "JB64",    Take::First,  1, 1},
    {"JB65",    "JB65",    Take::First,  1, 2},
    {"JB71",    "JB71",    Take::First,  1, 1},
    {"JB72_01", "JB72_01", Take::First,  1, 2},
    {"JB72_02", "JB72_02", Take::First,  1, 2},
    {"JB72_03", "JB72_03", Take::First,  1, 2},
    {"JB81",    "JB81",    Take::First,  1, 1},
    {"JB82_1",  "JB82",    Take::First,  1, 4},
    {"JB82_2",  "JB82",    Take::Last,   0, 2},
    {"JB83",    "JB83",    Take::First,  1, 1},
    {"JGCSCD",  "JGCSCD",  Take::First,  1, 1},
};
// clang-format on

const CutRow *cutRow(const QString &bookmark)
{
    for (const CutRow &row : kCuts) {
        if (bookmark == QLatin1String(row.bookmark))
            return &row;
    }
    return nullptr;
}

} // namespace

const QStringList &names()
{
    static const QStringList list = [] {
        QStringList out;
        for (const char *name : kNames)
            out << QString::fromLatin1(name);
        return out;
    }();
    return list;
}

QString fieldOf(const QString &bookmark)
{
    if (const CutRow *row = cutRow(bookmark))
        return QString::fromLatin1(row->field);
    return names().contains(bookmark) ? bookmark : QString();
}

QString cut(const QString &bookmark, const QString &text)
{
    const CutRow *row = cutRow(bookmark);
    if (!row)
        return text;
    switch (row->take) {
    case Take::First:
        return text.left(row->length);
    case Take::Middle:
        return text.mid(row->from - 1, row->length);
    case Take::Last:
        return text.right(row->length);
    }
    return text;
}

QList<QPair<QString, QString>> texts(const ShownText &shown)
{
    QList<QPair<QString, QString>> out;
    out.reserve(Count);
    for (const QString &bookmark : names())
        out << qMakePair(bookmark, cut(bookmark, shown(fieldOf(bookmark))));
    return out;
}

} // namespace ReportBookmarks
