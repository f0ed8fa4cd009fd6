#include "surveyrecord.h"

#include "vbtext.h"

SurveyRecord::SurveyRecord()
{
    m_values.resize(FieldCatalogue::ColumnCount);
}

SurveyRecord::SurveyRecord(QStringList values) : m_values(std::move(values))
{
    m_values.resize(FieldCatalogue::ColumnCount);
}

QString SurveyRecord::value(int column) const
{
    return column >= 0 && column < m_values.size() ? m_values[column] : QString();
}

QString SurveyRecord::value(QStringView code) const
{
    return value(RecordColumns::indexOf(code));
}

void SurveyRecord::setValue(int column, const QString &text)
{
    if (column >= 0 && column < m_values.size())
        m_values[column] = text;
}

void SurveyRecord::setValue(QStringView code, const QString &text)
{
    setValue(RecordColumns::indexOf(code), text);
}

QString SurveyRecord::shown(QStringView code) const
{
    const QString stored = value(code);
    const FieldSpec *def = FieldCatalogue::field(code);
    if (def && def->kind == FieldKind::Number)
        return VbText::wholeNumberDisplay(stored);
    return stored;
}

double SurveyRecord::number(QStringView code) const
{
    return VbText::numericValue(shown(code));
}
