#pragma once

#include <QString>

// The person-attribute column scheme of the people summaries: one person counts once in each
// of four blocks of sheet columns, by the attribute's key (the half-even reading of its field):
// - sex `JB42p`: below 2 column 3, else 4;
// - degree `JB45p`: 1, 2, 3 columns 9, 10, 11, any other value 12;
// - title `JB46p`: 1, 2, 3 columns 5, 6, 7, any other value 8;
// - birth year `JB43p`: 1980 or later 13, then five-year bands down to 1950-1954 in columns
//   14..19, 1949 or earlier (empty, a two-digit year) 20.
namespace PersonColumns {

enum Attribute { Sex, Degree, Title, BirthYear, AttributeCount };

// The attribute's field for person 1..3, e.g. "JB421".
QString field(Attribute attribute, int person);
int column(Attribute attribute, double key);

} // namespace PersonColumns
