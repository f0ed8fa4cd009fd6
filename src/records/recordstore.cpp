#include "recordstore.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <sqlite3.h>

namespace {

int g_connectionSerial = 0;

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

QString columnList()
{
    QStringList quotedNames;
    for (const QString &name : RecordColumns::names())
        quotedNames << quoted(name);
    return quotedNames.join(u',');
}

} // namespace

RecordStore::RecordStore(QObject *parent) : QObject(parent)
{
    m_connection = QStringLiteral("records-%1").arg(++g_connectionSerial);
}

RecordStore::~RecordStore()
{
    close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

bool RecordStore::fail(const QString &message)
{
    m_lastError = message;
    return false;
}

// Another program has deleted the row since it was read.
QString RecordStore::rowGone()
{
    return tr("这条记录已不在数据表中（已被其他程序删除）。");
}

bool RecordStore::open(const QString &folder, QString *error)
{
    m_path = QDir(folder).filePath(databaseFileName());
    const QFileInfo info(m_path);
    const bool fresh = !info.exists() || info.size() == 0;
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(m_path);
    if (!m_db.open()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    const bool ok = fresh ? createTable() : checkTable(&m_lastError);
    emit rowsAboutToBeReset();
    if (!ok || !loadRows()) {
        m_rows.clear();
        emit rowsReset();
        if (error)
            *error = m_lastError;
        m_db.close();
        return false;
    }
    m_state = m_rows.isEmpty() ? State::PastTheEnd : State::OnRow;
    m_index = m_rows.isEmpty() ? -1 : 0;
    m_dirty = QBitArray(FieldCatalogue::ColumnCount);
    m_writtenSinceShown = QBitArray(FieldCatalogue::ColumnCount);
    emit rowsReset();
    announceCurrentRow();
    return true;
}

bool RecordStore::close()
{
    if (!m_db.isOpen())
        return true;
    if (!storeCurrent())
        return false; // kept open, so that nothing pending is lost
    m_db.close();
    return true;
}

void RecordStore::closeWithoutStoring()
{
    m_dirty.fill(false);
    m_db.close();
}

bool RecordStore::canWrite()
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError().text());
    // Writing the header page needs the journal beside the file, as every real write does.
    const bool written =
        query.exec(QStringLiteral("PRAGMA user_version")) && query.next() &&
        query.exec(QStringLiteral("PRAGMA user_version=%1").arg(query.value(0).toLongLong()));
    const QString error = query.lastError().text();
    query.exec(QStringLiteral("ROLLBACK"));
    return written || fail(error);
}

bool RecordStore::createTable()
{
    QStringList columns;
    for (const QString &name : RecordColumns::names())
        columns << quoted(name) + QStringLiteral(" TEXT");
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(tableName(), columns.join(u','))))
        return fail(query.lastError().text());
    return true;
}

bool RecordStore::checkTable(QString *error)
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(tableName()))) {
        *error = query.lastError().text();
        return false;
    }
    QStringList present;
    while (query.next())
        present << query.value(1).toString().toUpper();
    if (present.isEmpty()) {
        *error = query.lastError().isValid() ? query.lastError().text()
                                             : tr("数据库中没有数据表 %1。").arg(tableName());
        // PRAGMA on a file that is not a database fails only on the first real read.
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            *error = probe.lastError().text();
        return false;
    }
    QStringList missing;
    for (const QString &name : RecordColumns::names()) {
        if (!present.contains(name.toUpper()))
            missing << name;
    }
    if (!missing.isEmpty()) {
        *error = tr("数据表 %1 缺少字段：%2。").arg(tableName(), missing.join(u' '));
        return false;
    }
    return true;
}

bool RecordStore::loadRows()
{
    // Read straight through SQLite: at start-up every value of every row is read once.
    sqlite3 *handle = sqliteHandle(m_db);
    if (!handle)
        return fail(tr("数据库驱动程序没有提供 SQLite 连接。"));
    const QByteArray sql = QStringLiteral("SELECT rowid,%1 FROM %2 ORDER BY JB02, rowid")
                               .arg(columnList(), tableName())
                               .toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        return fail(QString::fromUtf8(sqlite3_errmsg(handle)));
    m_rows.clear();
    const int columns = FieldCatalogue::ColumnCount;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        row.rowid = sqlite3_column_int64(statement, 0);
        QStringList values;
        values.reserve(columns);
        for (int c = 1; c <= columns; ++c) {
            const char *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
            values << (text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, c))
                            : QString());
        }
        row.record = SurveyRecord(std::move(values));
        m_rows.append(std::move(row));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        return fail(QString::fromUtf8(sqlite3_errmsg(handle)));
    return true;
}

int RecordStore::absolutePosition() const
{
    switch (m_state) {
    case State::OnRow:
        return m_index + 1;
    case State::BeforeFirst:
        return PositionBeforeFirst;
    case State::PastTheEnd:
        return PositionPastTheEnd;
    case State::OnDeleted:
        break;
    }
    return PositionUnknown;
}

const SurveyRecord &RecordStore::current() const
{
    static const SurveyRecord empty;
    return hasCurrent() ? m_rows[m_index].record : empty;
}

bool RecordStore::setValue(int column, const QString &text)
{
    if (!hasCurrent() || column < 0 || column >= FieldCatalogue::ColumnCount)
        return false;
    SurveyRecord &record = m_rows[m_index].record;
    if (record.value(column) == text)
        return true;
    record.setValue(column, text);
    m_dirty.setBit(column);
    m_writtenSinceShown.setBit(column);
    emit valueChanged(m_index, column);
    return true;
}

bool RecordStore::storeCurrent()
{
    if (!hasCurrent())
        return true;
    Row &row = m_rows[m_index];
    if (row.rowid == 0) {
        if (!insertRow(row))
            return false;
    } else if (m_dirty.count(true) > 0) {
        if (!updateRow(row, m_dirty))
            return false;
    }
    m_dirty.fill(false);
    return true;
}

bool RecordStore::insertRow(Row &row)
{
    const QStringList &names = RecordColumns::names();
    QStringList marks;
    for (int i = 0; i < names.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(tableName(), columnList(), marks.join(u',')));
    for (int c = 0; c < names.size(); ++c) {
        const QString v = row.record.value(c);
        query.addBindValue(v.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(v));
    }
    if (!query.exec())
        return fail(query.lastError().text());
    row.rowid = query.lastInsertId().toLongLong();
    return true;
}

bool RecordStore::updateRow(const Row &row, const QBitArray &columns)
{
    const QStringList &names = RecordColumns::names();
    QStringList sets;
    QVector<int> changed;
    for (int c = 0; c < columns.size(); ++c) {
        if (columns.testBit(c)) {
            sets << quoted(names[c]) + QStringLiteral("=?");
            changed << c;
        }
    }
    QSqlQuery query(m_db);
    query.prepare(
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(tableName(), sets.join(u',')));
    for (int c : changed)
        query.addBindValue(row.record.value(c));
    query.addBindValue(row.rowid);
    if (!query.exec())
        return fail(query.lastError().text());
    if (query.numRowsAffected() != 1)
        return fail(rowGone());
    return true;
}

void RecordStore::setPosition(State state, int index)
{
    m_state = state;
    m_index = index;
    m_dirty.fill(false);
    announceCurrentRow();
    emit moveComplete();
}

QString RecordStore::shownText(QStringView code) const
{
    const int column = RecordColumns::indexOf(code);
    if (hasCurrent() && column >= 0 && m_writtenSinceShown.testBit(column))
        return current().value(column);
    return current().shown(code);
}

// The boxes show the row anew, each value as SurveyRecord::shown gives it.
void RecordStore::announceCurrentRow()
{
    m_writtenSinceShown.fill(false);
    if (m_walkDepth > 0)
        m_currentChangedInWalk = true;
    else
        emit currentRowChanged();
}

bool RecordStore::moveFirst()
{
    if (m_rows.isEmpty())
        return fail(tr("数据库中没有任何记录。"));
    return moveTo(0);
}

bool RecordStore::moveLast()
{
    if (m_rows.isEmpty())
        return fail(tr("数据库中没有任何记录。"));
    return moveTo(int(m_rows.size()) - 1);
}

bool RecordStore::moveTo(int index)
{
    if (index < 0 || index >= m_rows.size())
        return fail(tr("没有这个位置的记录。"));
    if (!storeCurrent())
        return false;
    setPosition(State::OnRow, index);
    return true;
}

bool RecordStore::moveNext()
{
    if (m_state == State::PastTheEnd)
        return fail(tr("已在最后一条记录之后。"));
    if (!storeCurrent())
        return false;
    // A deleted row's place is taken by the row after it.
    int next = m_state == State::OnDeleted ? m_index : m_index + 1;
    if (m_state == State::BeforeFirst)
        next = 0;
    if (next >= m_rows.size())
        setPosition(State::PastTheEnd, int(m_rows.size()));
    else
        setPosition(State::OnRow, next);
    return true;
}

bool RecordStore::movePrevious()
{
    if (m_state == State::BeforeFirst)
        return fail(tr("已在第一条记录之前。"));
    if (!storeCurrent())
        return false;
    const int previous = m_state == State::PastTheEnd ? int(m_rows.size()) - 1 : m_index - 1;
    if (previous < 0)
        setPosition(State::BeforeFirst, -1);
    else
        setPosition(State::OnRow, previous);
    return true;
}

bool RecordStore::addNew()
{
    if (!storeCurrent())
        return false;
    const int index = int(m_rows.size());
    emit rowsAboutToBeInserted(index, index);
    m_rows.append(Row());
    emit rowsInserted(index, index);
    setPosition(State::OnRow, index);
    return true;
}

bool RecordStore::deleteCurrent()
{
    if (!hasCurrent())
        return fail(tr("没有当前记录。"));
    const Row &row = m_rows[m_index];
    if (row.rowid != 0) {
        QSqlQuery query(m_db);
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(tableName()));
        query.addBindValue(row.rowid);
        if (!query.exec())
            return fail(query.lastError().text());
        if (query.numRowsAffected() != 1)
            return fail(rowGone());
    }
    const int index = m_index;
    emit rowsAboutToBeRemoved(index, index);
    m_rows.remove(index);
    m_state = State::OnDeleted;
    m_dirty.fill(false);
    emit rowsRemoved(index, index);
    announceCurrentRow();
    return true;
}

bool RecordStore::update()
{
    if (!hasCurrent())
        return fail(tr("没有当前记录。"));
    return storeCurrent();
}

bool RecordStore::appendRows(const QVector<SurveyRecord> &records, const QVector<int> &pauses,
                             const std::function<void(int)> &atPause)
{
    QVector<qint64> rowids;
    if (!records.isEmpty() && (!storeCurrent() || !insertRows(records, &rowids)))
        return false;
    m_rows.reserve(m_rows.size() + records.size());
    int added = 0;
    const auto addUpTo = [&](int count) {
        if (count <= added)
            return;
        const int first = int(m_rows.size());
        emit rowsAboutToBeInserted(first, first + count - added - 1);
        for (; added < count; ++added)
            m_rows.append(Row{rowids[added], records[added]});
        emit rowsInserted(first, int(m_rows.size()) - 1);
        setPosition(State::OnRow, int(m_rows.size()) - 1);
    };
    for (int pause : pauses) {
        addUpTo(qBound(0, pause, int(records.size())));
        if (atPause)
            atPause(pause);
    }
    addUpTo(int(records.size()));
    return true;
}

bool RecordStore::insertRows(const QVector<SurveyRecord> &records, QVector<qint64> *rowids)
{
    QStringList marks;
    for (int i = 0; i < FieldCatalogue::ColumnCount; ++i)
        marks << QStringLiteral("?");
    // A large transaction is written in one go at its commit, not spilled half-way.
    QSqlQuery pragma(m_db);
    const QString spill = pragma.exec(QStringLiteral("PRAGMA cache_spill")) && pragma.next()
                              ? pragma.value(0).toString()
                              : QStringLiteral("ON");
    pragma.exec(QStringLiteral("PRAGMA cache_spill=OFF"));
    const auto restoreSpill =
        qScopeGuard([&] { pragma.exec(QStringLiteral("PRAGMA cache_spill=%1").arg(spill)); });
    if (!m_db.transaction())
        return fail(m_db.lastError().text());
    rowids->reserve(records.size());
    {
        QSqlQuery query(m_db);
        bool ok = query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(tableName(), columnList(), marks.join(u',')));
        for (const SurveyRecord &record : records) {
            if (!ok)
                break;
            for (int c = 0; c < FieldCatalogue::ColumnCount; ++c)
                query.bindValue(c, record.value(c));
            ok = query.exec();
            *rowids << query.lastInsertId().toLongLong();
        }
        if (!ok) {
            const QString error = query.lastError().text();
            query.finish();
            m_db.rollback();
            return fail(error);
        }
    }
    if (!m_db.commit()) {
        const QString error = m_db.lastError().text();
        m_db.rollback();
        return fail(error);
    }
    return true;
}

RecordStore::Walk::Walk(RecordStore &store) : m_store(store)
{
    ++m_store.m_walkDepth;
}

RecordStore::Walk::~Walk()
{
    if (--m_store.m_walkDepth == 0 && m_store.m_currentChangedInWalk) {
        m_store.m_currentChangedInWalk = false;
        emit m_store.currentRowChanged();
    }
}
