#include "recordtablemodel.h"

#include "recordstore.h"

RecordTableModel::RecordTableModel(RecordStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{
    connect(&store, &RecordStore::rowsAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&store, &RecordStore::rowsReset, this, [this] { endResetModel(); });
    connect(&store, &RecordStore::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&store, &RecordStore::rowsInserted, this, [this] { endInsertRows(); });
    connect(&store, &RecordStore::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(&store, &RecordStore::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(&store, &RecordStore::valueChanged, this, [this](int row, int column) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    });
}

int RecordTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_store.recordCount();
}

int RecordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FieldCatalogue::ColumnCount;
}

QVariant RecordTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_store.row(index.row()).value(index.column());
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return RecordColumns::names().value(section);
    return section + 1;
}
