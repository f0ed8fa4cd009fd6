#include "bench.h"

#include "fieldcatalogue.h"
#include "recordstore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

namespace {

QString sampleValue(const FieldSpec &def, int row)
{
    switch (def.kind) {
    case FieldKind::Number:
        return QString::number((row * 7 + def.maxLength) % 500);
    case FieldKind::Digits:
        return QString::number(100000 + row % 900000).left(def.maxLength);
    case FieldKind::Code:
        return QStringLiteral("1.代码项目");
    case FieldKind::Year:
        return QStringLiteral("1975");
    case FieldKind::YearMonth:
        return QStringLiteral("2011-06");
    case FieldKind::Date:
        return QStringLiteral("2011-12-01");
    case FieldKind::MultiLine:
        return QStringLiteral("阶段成果第一行\r\n第二行");
    case FieldKind::Text:
        break;
    }
    return QStringLiteral("测试文本%1").arg(row);
}

} // namespace

bool fillSyntheticRecords(const QString &folder, int count)
{
    {
        RecordStore store;
        if (!store.open(folder))
            return false;
    }
    const QString connection = QStringLiteral("bench-fill");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(folder + u'/' + RecordStore::databaseFileName());
        ok = db.open() && db.transaction();
        const QStringList &columns = RecordColumns::names();
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery query(db);
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(RecordStore::tableName(), columns.join(u','), marks.join(u',')));
        for (int row = 0; ok && row < count; ++row) {
            for (const QString &column : columns) {
                const FieldSpec *def = FieldCatalogue::field(column);
                QString value = def ? sampleValue(*def, row) : QString();
                if (column == u"JB02")
                    value = QStringLiteral("2011%1").arg(row, 8, 10, QLatin1Char('0'));
                query.addBindValue(value);
            }
            ok = query.exec();
        }
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}
