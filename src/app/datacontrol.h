#pragma once

#include <QFrame>

class QLabel;
class RecordStore;

// The data control: buttons that move to the first, previous, next and last row, and a
// caption between them that shows the position.
class DataControl : public QFrame
{
    Q_OBJECT

public:
    DataControl(RecordStore &store, QWidget *parent);

    QString caption() const;
    void setCaption(const QString &caption);

signals:
    // A move the recordset could not make: the row it stands on could not be stored.
    void moveFailed();

private:
    bool onDeletedRow() const;
    void move(bool (RecordStore::*step)());

    RecordStore &m_store;
    QLabel *m_caption;
};
