#include "datafiles.h"

#include "recordstore.h"
#include "vbtext.h"

#include <QFileInfo>
#include <cmath>
#include <map>

namespace DataFiles {

namespace {

const int NumberColumn = 1; // JB02

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

} // namespace

bool isDatabaseFile(const RecordStore &store, const QString &path)
{
    return !store.databasePath().isEmpty() && canonical(path) == canonical(store.databasePath());
}

bool writeCurrent(RecordStore &store, const QString &path, QString *error)
{
    if (!store.hasCurrent()) {
        if (error)
            *error = QStringLiteral("no current record");
        return false;
    }
    KjFormat::Writer writer(path);
    if (!writer.open() || !writer.write(store.current(), KjFormat::submitEmptyText()) ||
        !writer.commit()) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    return true;
}

bool writeAll(RecordStore &store, const QString &path, QString *error)
{
    KjFormat::Writer writer(path);
    if (!writer.open()) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    RecordStore::Walk walk(store);
    if (!store.moveFirst()) {
        if (error)
            *error = store.lastError();
        return false; // the writer drops its temporary file
    }
    const int count = store.recordCount();
    for (int i = 0; i < count; ++i) {
        if (!writer.write(store.current(), KjFormat::submitEmptyText())) {
            if (error)
                *error = writer.errorString();
            return false;
        }
        if (!store.moveNext()) {
            if (error)
                *error = store.lastError();
            return false;
        }
    }
    if (!writer.commit()) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    return true;
}

bool isSafeFileStem(const QString &number)
{
    return !number.isEmpty() && !number.contains(u'/') && !number.contains(u'\\') &&
           !number.contains(QLatin1String("..")) && !number.contains(QChar(0));
}

bool distribute(RecordStore &store, const QDir &folder, QStringList *refused, QString *error)
{
    RecordStore::Walk walk(store);
    if (!store.moveFirst()) {
        if (error)
            *error = store.lastError();
        return false;
    }
    const int count = store.recordCount();
    for (int i = 0; i < count; ++i) {
        const QString number = store.current().shown(u"JB02");
        if (!isSafeFileStem(number)) {
            if (refused)
                *refused << number;
        } else {
            KjFormat::Writer writer(folder.filePath(number + KjFormat::fileSuffix()));
            if (!writer.open() || !writer.write(store.current(), KjFormat::distributeEmptyText()) ||
                !writer.commit()) {
                if (error)
                    *error = writer.errorString();
                return false;
            }
        }
        if (!store.moveNext()) {
            if (error)
                *error = store.lastError();
            return false;
        }
    }
    return true;
}

AppendPlan planAppend(const RecordStore &store, const QVector<SurveyRecord> &records)
{
    AppendPlan plan;
    // Project numbers by their numeric reading, with the row that holds each.
    std::multimap<double, int> known;
    const int present = store.recordCount();
    for (int i = 0; i < present; ++i)
        known.emplace(VbText::numericValue(store.row(i).shown(u"JB02")), i);
    for (const SurveyRecord &record : records) {
        const QString number = record.value(NumberColumn);
        const double value = VbText::numericValue(number);
        // The first row in table order whose number lies within 0.1.
        int match = -1;
        for (auto it = known.upper_bound(value - 0.1); it != known.end(); ++it) {
            if (!(std::abs(it->first - value) < 0.1)) {
                if (it->first > value)
                    break;
                continue;
            }
            if (match < 0 || it->second < match)
                match = it->second;
        }
        if (match >= 0) {
            plan.duplicates << number;
            plan.lastMatchedRow = match;
            continue;
        }
        known.emplace(value, present + int(plan.rows.size()));
        plan.rows << record;
        plan.lastMatchedRow = -1;
    }
    return plan;
}

} // namespace DataFiles
