#include "datafiles.h"

#include "projectfilename.h"
#include "recordstore.h"
#include "samefile.h"
#include "vbtext.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <map>
#include <sys/stat.h>

namespace DataFiles {

namespace {

const int NumberColumn = 1; // JB02

// A name a project's file cannot be written under: one held by a folder, by a file we may
// not write, or by a link to one of the program's own files.
bool isTakenName(const QString &path, const QStringList &ownFiles)
{
    struct stat entry;
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return false; // nothing there: the common case, at the cost of one look
    const QFileInfo info(path);
    if (info.isDir() || (info.exists() && !info.isWritable()))
        return true;
    return std::any_of(ownFiles.begin(), ownFiles.end(),
                       [&](const QString &own) { return isSameFile(path, own); });
}

} // namespace

bool writeCurrent(RecordStore &store, const QString &path, QString *error)
{
    if (!store.hasCurrent()) {
        if (error)
            *error = QStringLiteral("没有当前记录。");
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

bool distribute(RecordStore &store, const QDir &folder, const QStringList &ownFiles,
                QStringList *refused, QString *error)
{
    RecordStore::Walk walk(store);
    if (!store.moveFirst()) {
        if (error)
            *error = store.lastError();
        return false;
    }
    const qsizetype longestName = ProjectFileName::longestIn(folder);
    const int count = store.recordCount();
    for (int i = 0; i < count; ++i) {
        const QString number = store.current().shown(u"JB02");
        const QString path = folder.filePath(number + KjFormat::fileSuffix());
        bool written = false;
        if (ProjectFileName::isUsable(number, KjFormat::fileSuffix(), longestName) &&
            !isTakenName(path, ownFiles)) {
            KjFormat::Writer writer(path);
            written = writer.open() &&
                      writer.write(store.current(), KjFormat::distributeEmptyText()) &&
                      writer.commit();
            if (!written && !writer.placingFailed()) {
                if (error)
                    *error = writer.errorString();
                return false;
            }
        }
        if (!written && refused)
            *refused << number;
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
        // The first row in table order whose number lies within 0.1. From about 2^50 on,
        // value - 0.1 rounds back to value itself: the search starts at equal keys too.
        int match = -1;
        for (auto it = known.lower_bound(value - 0.1); it != known.end(); ++it) {
            if (!(std::abs(it->first - value) < 0.1)) {
                if (it->first > value)
                    break;
                continue;
            }
            if (match < 0 || it->second < match)
                match = it->second;
        }
        if (match >= 0) {
            plan.duplicates.append({number, match, int(plan.rows.size())});
            continue;
        }
        known.emplace(value, present + int(plan.rows.size()));
        plan.rows << record;
    }
    return plan;
}

} // namespace DataFiles
