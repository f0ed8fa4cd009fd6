#include "recordsteps.h"

#include "breakdownrows.h"
#include "personcolumns.h"
#include "summaryreadings.h"
#include "surveyrecord.h"

#include <QVector>
#include <cmath>

namespace {

int columnIndex(const QString &field)
{
    const int index = RecordColumns::indexOf(field);
    Q_ASSERT_X(index >= 0, "RecordSteps", "unknown field");
    return index;
}

class WholeParts : public RecordStep
{
public:
    WholeParts(int firstColumn, const QStringList &fields) : m_firstColumn(firstColumn)
    {
        for (const QString &field : fields)
            m_indexes << columnIndex(field);
    }
    void contributions(const SurveyRecord &record, Contributions &out) const override
    {
        for (int i = 0; i < m_indexes.size(); ++i)
            out.append({m_firstColumn + i, SummaryReadings::wholePart(record.value(m_indexes[i]))});
    }

private:
    int m_firstColumn;
    QVector<int> m_indexes;
};

class KeyedCount : public RecordStep
{
public:
    KeyedCount(const QString &keyField, RecordSteps::ColumnOfText columnOf)
        : m_index(columnIndex(keyField)), m_columnOf(columnOf)
    {
    }
    void contributions(const SurveyRecord &record, Contributions &out) const override
    {
        const int column = m_columnOf(record.value(m_index));
        if (column != RecordSteps::NoColumn)
            out.append({column, 1});
    }

private:
    int m_index;
    RecordSteps::ColumnOfText m_columnOf;
};

class PlanPairs : public RecordStep
{
public:
    PlanPairs(int firstColumn, const QString &amountField)
        : m_firstColumn(firstColumn), m_planIndex(columnIndex(QStringLiteral("JB61"))),
          m_amountIndex(columnIndex(amountField))
    {
    }
    void contributions(const SurveyRecord &record, Contributions &out) const override
    {
        const int plan =
            PlanCategories::indexOf(SummaryReadings::halfEvenKey(record.value(m_planIndex)));
        if (plan < 0)
            return;
        const int countColumn = m_firstColumn + 2 * plan;
        out.append({countColumn, 1});
        out.append({countColumn + 1, SummaryReadings::rawAmount(record.value(m_amountIndex))});
    }

private:
    int m_firstColumn;
    int m_planIndex;
    int m_amountIndex;
};

class PersonCounts : public RecordStep
{
public:
    explicit PersonCounts(std::initializer_list<int> persons)
    {
        for (int person : persons) {
            for (int a = 0; a < PersonColumns::AttributeCount; ++a) {
                const auto attribute = PersonColumns::Attribute(a);
                m_fields.append({attribute, columnIndex(PersonColumns::field(attribute, person))});
            }
        }
    }
    void contributions(const SurveyRecord &record, Contributions &out) const override
    {
        for (const Field &f : m_fields) {
            const double key = SummaryReadings::halfEvenKey(record.value(f.index));
            if (!std::isnan(key)) // a reading beyond any number counts nowhere
                out.append({PersonColumns::column(f.attribute, key), 1});
        }
    }

private:
    struct Field
    {
        PersonColumns::Attribute attribute;
        int index;
    };
    QVector<Field> m_fields;
};

} // namespace

namespace RecordSteps {

std::shared_ptr<const RecordStep> wholeParts(int firstColumn, const QStringList &fields)
{
    return std::make_shared<WholeParts>(firstColumn, fields);
}

std::shared_ptr<const RecordStep> keyedCount(const QString &keyField, ColumnOfText columnOf)
{
    return std::make_shared<KeyedCount>(keyField, columnOf);
}

std::shared_ptr<const RecordStep> planPairs(int firstColumn, const QString &amountField)
{
    return std::make_shared<PlanPairs>(firstColumn, amountField);
}

std::shared_ptr<const RecordStep> personCounts(std::initializer_list<int> persons)
{
    return std::make_shared<PersonCounts>(persons);
}

} // namespace RecordSteps
