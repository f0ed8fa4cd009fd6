#pragma once

#include <QAbstractTableModel>

class RecordStore;

// The project list: one line per row of the recordset, one column per RecordColumns
// position. Read-only: the program changes rows through the store.
class RecordTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RecordTableModel(RecordStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    RecordStore &m_store;
};
