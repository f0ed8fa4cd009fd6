#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

class QWidget;
class RecordStore;

// Binds the field boxes to the columns of the recordset's current row. A box shows the
// current row's value (a number field through the whole-number format); a change in a box
// goes into the row's buffer at once, so that every reader of the record sees it. Loading a
// row never writes back, so a value the box shows differently ("12.5" as "13") is kept until
// the user edits it. With no current row the boxes are empty and read-only.
class FieldBinder : public QObject
{
    Q_OBJECT

public:
    explicit FieldBinder(RecordStore &store, QObject *parent = nullptr);

    // Binds a FieldBox or a MultiLineBox to a column.
    void bind(QWidget *box, const QString &column);
    int bindingCount() const { return int(m_bindings.size()); }

    // The text a bound box shows, and setting it as the program does.
    QWidget *box(const QString &boxName) const;
    QString text(const QString &boxName) const;
    void setText(const QString &boxName, const QString &text);

    // Shows the current row in every box.
    void load();

private:
    struct Binding
    {
        QWidget *box;
        int column;
        bool number;
    };

    void showValue(const Binding &binding, const QString &value);
    void boxEdited(const Binding &binding, const QString &text);
    void columnChanged(int column);

    RecordStore &m_store;
    QVector<Binding> m_bindings;
    QHash<QString, int> m_byBoxName;
    QMultiHash<int, int> m_byColumn;
    int m_silence = 0;
};
