#pragma once

#include "recordstore.h"

#include <QStringList>
#include <QTemporaryDir>

// Puts projects into the database of a program folder, each with its number and name.
inline bool addTestProjects(const QString &folder, const QList<QPair<QString, QString>> &projects)
{
    RecordStore store;
    if (!store.open(folder))
        return false;
    for (const auto &project : projects) {
        if (!store.addNew() || !store.setValue(0, project.second) ||
            !store.setValue(1, project.first))
            return false;
    }
    return store.close();
}

inline QStringList storedNumbers(const QString &folder)
{
    RecordStore store;
    QStringList numbers;
    if (!store.open(folder))
        return numbers;
    for (int i = 0; i < store.recordCount(); ++i)
        numbers << store.row(i).value(1);
    return numbers;
}
