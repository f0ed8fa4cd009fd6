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

private:
    bool onDeletedRow() const;

    RecordStore &m_store;
    QLabel *m_caption;
};
