#pragma once

#include "fieldcatalogue.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The survey's eighteen code tables and the drop-down pickers that offer them. A coded field
// holds the whole picked item, code first ("1.基础研究"); the region field holds the
// six-digit code alone. Readers take the code as the numeric reading of the field.
struct CodePickerSpec
{
    const char *name;    // the picker's object name, e.g. "ComboSex"
    Page page;           // the page that holds the picker
    QStringList fields;  // the fields served; a shared picker's slot is position + 1
    bool writesCodeOnly; // a pick writes the first six characters (the region code)
    int ownWidth;        // twips; 0 = the picker takes the width of its field
    QStringList items;   // the code table, in list order

    QString nameText() const { return QString::fromLatin1(name); }
    bool isShared() const { return fields.size() > 1; }
    // What a pick of `item` writes into the field.
    QString pickedText(const QString &item) const;
    // The field a pick fills: the one field, or a shared picker's field of `slot`; empty
    // when the slot is outside 1..fields.size().
    QString targetField(int slot) const;
};

namespace CodeTables {

constexpr int PickerCount = 18;
constexpr int PickerHeight = 300; // twips

// The pickers in the order of the set (the order in which they are hidden).
const QVector<CodePickerSpec> &pickers();
const CodePickerSpec *picker(QStringView name);
// The picker laid over `field` and the field's slot (0 for an unshared picker).
const CodePickerSpec *pickerOfField(QStringView field, int *slot = nullptr);
QStringList items(QStringView pickerName);

} // namespace CodeTables
