#pragma once

#include "fieldcatalogue.h"

#include <QString>
#include <QStringList>

// One project: the 137 values of a row of the survey table, in RecordColumns order.
class SurveyRecord
{
public:
    SurveyRecord();
    explicit SurveyRecord(QStringList values); // padded or cut to 137 values

    const QStringList &values() const { return m_values; }
    QString value(int column) const;
    QString value(QStringView code) const;
    void setValue(int column, const QString &text);
    void setValue(QStringView code, const QString &text);

    // The text the field's box shows for the stored value: a number field through the
    // whole-number format, every other field as stored.
    QString shown(QStringView code) const;
    // The numeric reading of the shown text.
    double number(QStringView code) const;

    bool operator==(const SurveyRecord &other) const { return m_values == other.m_values; }

private:
    QStringList m_values;
};
