#pragma once

#include "recordstore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
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

// One column of every stored row, in project-number order.
inline QStringList storedColumn(const QString &folder, int column)
{
    RecordStore store;
    QStringList values;
    if (!store.open(folder))
        return values;
    for (int i = 0; i < store.recordCount(); ++i)
        values << store.row(i).value(column);
    return values;
}

inline QStringList storedNumbers(const QString &folder)
{
    return storedColumn(folder, 1);
}

inline QStringList storedNames(const QString &folder)
{
    return storedColumn(folder, 0);
}

// A second connection to a folder's database, as another program would hold it; its
// transaction stays open until it is ended or the connection closes.
struct OtherConnection
{
    explicit OtherConnection(const QString &folder)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        db.setDatabaseName(folder + QStringLiteral("/wobzel2011.db"));
        db.open();
    }
    ~OtherConnection() { QSqlDatabase::removeDatabase("other"); }
    bool exec(const QString &sql) { return QSqlQuery(QSqlDatabase::database("other")).exec(sql); }
};
