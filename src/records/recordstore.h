#pragma once

#include "surveyrecord.h"

#include <QBitArray>
#include <QObject>
#include <QSqlDatabase>
#include <QVector>
#include <functional>

// The survey table and its one recordset. The rows are read once when the store opens, in
// project-number order (as text), and kept in memory: moves, the record count and the
// position work on that list. Edits go into the current row's buffer; the row reaches the
// database (one committed transaction) when the recordset moves off it, when it is told to
// update, and when the store closes. A new row stays pending until then. Storing a row, or
// deleting it, fails when the table no longer holds it (another program deleted it).
class RecordStore : public QObject
{
    Q_OBJECT

public:
    static constexpr int PositionUnknown = -1; // on a deleted row
    static constexpr int PositionBeforeFirst = -2;
    static constexpr int PositionPastTheEnd = -3;

    static QString databaseFileName() { return QStringLiteral("wobzel2011.db"); }
    static QString tableName() { return QStringLiteral("kjxmzxqk"); }

    explicit RecordStore(QObject *parent = nullptr);
    ~RecordStore() override;

    // Opens (or creates) the database in `folder` and reads the rows. A file that is not a
    // database, or whose table lacks a column, is left untouched and gives false.
    bool open(const QString &folder, QString *error = nullptr);
    // Stores any pending edit and closes the database.
    bool close();
    // Closes the database without the pending edit (or new row), which is lost.
    void closeWithoutStoring();
    bool isOpen() const { return m_db.isOpen(); }
    // Stores the pending edit or new row of the current row; true when there is none.
    bool storePending() { return storeCurrent(); }
    // Whether the database file can be written now: a write that is rolled back at once.
    bool canWrite();
    QString databasePath() const { return m_path; }

    // The recordset.
    int recordCount() const { return int(m_rows.size()); }
    int absolutePosition() const;
    bool hasCurrent() const { return m_state == State::OnRow; }
    bool isPastTheEnd() const { return m_state == State::PastTheEnd; }
    int currentIndex() const { return hasCurrent() ? m_index : -1; }
    bool isNewRow() const { return hasCurrent() && m_rows[m_index].rowid == 0; }

    bool moveFirst();
    bool moveNext();
    bool movePrevious();
    bool moveLast();
    bool moveTo(int index);
    bool addNew();
    bool deleteCurrent();
    bool update();
    // Stores any pending edit, then stores the rows in one transaction (none of them when a
    // write fails) and adds them at the end of the recordset; the last one becomes the
    // current row. For each count in `pauses` (ascending, 0 to the number of rows) the adding
    // pauses once that many rows are in, the last of them current, and `atPause` runs with
    // the count; it may move the recordset. Nothing is stored for an empty list.
    bool appendRows(const QVector<SurveyRecord> &records, const QVector<int> &pauses = {},
                    const std::function<void(int)> &atPause = {});

    // The current row's values (an empty record when there is no current row).
    const SurveyRecord &current() const;
    QString value(int column) const { return current().value(column); }
    // Writes into the current row's buffer, as a box's edit does; false when there is no
    // current row.
    bool setValue(int column, const QString &text);
    // A field of the current row as its box shows it: a value written since the row was last
    // shown stands as it was written ("12.5" typed into a number box), any other as
    // SurveyRecord::shown gives it ("13").
    QString shownText(QStringView code) const;

    // Every row, for the project list.
    const SurveyRecord &row(int index) const { return m_rows[index].record; }

    QString lastError() const { return m_lastError; }

    // While a walk runs, the current row changes without currentRowChanged(); the signal is
    // sent once when the outermost walk ends.
    class Walk
    {
    public:
        explicit Walk(RecordStore &store);
        ~Walk();
        Walk(const Walk &) = delete;
        Walk &operator=(const Walk &) = delete;

    private:
        RecordStore &m_store;
    };

signals:
    // After every move, add and delete (the data control's move-complete event).
    void moveComplete();
    // The current row, or its values, are to be shown anew.
    void currentRowChanged();
    // A value of the current row was set (by a box, the grid or a command).
    void valueChanged(int row, int column);
    // Before and after rows `first` to `last` are added or taken away, and before and after
    // every row is read anew, as a list model passes them on to its views.
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    void rowsAboutToBeReset();
    void rowsReset();

private:
    enum class State { BeforeFirst, OnRow, OnDeleted, PastTheEnd };
    struct Row
    {
        qint64 rowid = 0; // 0: not stored yet
        SurveyRecord record;
    };

    bool createTable();
    bool checkTable(QString *error);
    bool loadRows();
    bool storeCurrent();
    bool insertRow(Row &row);
    bool updateRow(const Row &row, const QBitArray &columns);
    bool insertRows(const QVector<SurveyRecord> &records, QVector<qint64> *rowids);
    void setPosition(State state, int index);
    void announceCurrentRow();
    bool fail(const QString &message);
    static QString rowGone();

    QSqlDatabase m_db;
    QString m_connection;
    QString m_path;
    QVector<Row> m_rows;
    State m_state = State::BeforeFirst;
    int m_index = -1;
    QBitArray m_dirty;
    QBitArray m_writtenSinceShown; // columns whose boxes show the value as written
    int m_walkDepth = 0;
    bool m_currentChangedInWalk = false;
    QString m_lastError;
};
