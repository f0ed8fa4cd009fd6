#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The survey's fields: one declarative table of the 133 fields entered on the five pages,
// in binding order (cover, table 1 with the person grid person by person, table 2 row by
// row, table 3, table 4, JDCG last), and the record's 137 columns.

enum class Page { Cover, Table1, Table2, Table3, Table4 };

enum class FieldKind {
    Text,      // free text
    Digits,    // digits only, left-aligned
    Number,    // a count or an amount: right-aligned, shown through the format "0"
    Code,      // filled from a code picker with the whole item text
    Year,      // four digits
    YearMonth, // "XXXX-XX"
    Date,      // "YYYY-MM-DD", stamped on focus
    MultiLine, // several lines of free text
};

struct FieldSpec
{
    const char *code; // column name
    const char *box;  // text box name
    Page page;
    const char *caption;    // caption printed on the page
    const char *labelArray; // caption label array (several fields can share one element)
    int labelIndex;
    int maxLength; // characters; 0 = unlimited
    FieldKind kind;

    QString codeName() const { return QString::fromLatin1(code); }
    QString boxName() const { return QString::fromLatin1(box); }
    QString captionText() const { return QString::fromUtf8(caption); }
};

namespace FieldCatalogue {

constexpr int BoundFieldCount = 133;
constexpr int ColumnCount = 137;

// The 133 bound fields in binding order.
const QVector<FieldSpec> &fields();

// The field of a column name, or nullptr for an unbound column or an unknown name.
const FieldSpec *field(QStringView code);

// The fields of one page, in binding order.
QVector<const FieldSpec *> fieldsOfPage(Page page);

} // namespace FieldCatalogue

// The record's columns in their one fixed order: JB01 and JB02 first, then the other bound
// fields in binding order with JL170 and JL180 among table 3's columns, then BZ01 and BZ02.
// The project list and every .kj file carry values in this order.
namespace RecordColumns {

const QStringList &names();
// Position of a column name, -1 when unknown.
int indexOf(QStringView code);

} // namespace RecordColumns
