#include "recordsteps.h"

#include "summaryreadings.h"
#include "surveyrecord.h"

#include <QVector>

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

} // namespace

namespace RecordSteps {

std::shared_ptr<const RecordStep> wholeParts(int firstColumn, const QStringList &fields)
{
    return std::make_shared<WholeParts>(firstColumn, fields);
}

} // namespace RecordSteps
