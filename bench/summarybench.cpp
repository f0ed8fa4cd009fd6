// The summary workbooks: every summary over the records, and the floor of the same templates
// opened, stored and closed with nothing written; both with the office start.
#include "bench.h"

#include "calcspreadsheet.h"
#include "cellblock.h"
#include "codetables.h"
#include "libreofficesuite.h"
#include "recordstore.h"
#include "summarydefinitions.h"
#include "summaryrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

namespace {

// The coded fields of the synthetic records spread over their code tables.
struct CodedField
{
    const char *field;
    const char *picker;
};
const CodedField kCodedFields[] = {
    {"JB25", "ComboJB25_JB52_JB54"}, {"JB22", "ComboJB22"}, {"JB61", "ComboJB61"},
    {"JB62", "ComboJB62"},           {"JB26", "ComboJB26"}, {"JB71", "ComboJB71"},
    {"JB72_01", "ComboJB72"},        {"JB421", "ComboSex"}, {"JB451", "ComboDegree"},
    {"JB461", "ComboTitle"},         {"JB422", "ComboSex"}, {"JB462", "ComboTitle"},
};

bool spreadCodes(const QString &folder)
{
    const QString connection = QStringLiteral("bench-summary-codes");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QDir(folder).filePath(RecordStore::databaseFileName()));
        ok = db.open() && db.transaction();
        QStringList sets;
        for (const CodedField &f : kCodedFields)
            sets << QString::fromLatin1(f.field) + QStringLiteral("=?");
        sets << QStringLiteral("JB431=?");
        QSqlQuery query(db);
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                          .arg(RecordStore::tableName(), sets.join(u',')));
        QSqlQuery rows(QStringLiteral("SELECT rowid FROM ") + RecordStore::tableName(), db);
        for (int i = 0; ok && rows.next(); ++i) {
            for (const CodedField &f : kCodedFields) {
                const CodePickerSpec *picker = CodeTables::picker(QString::fromLatin1(f.picker));
                query.addBindValue(
                    picker->pickedText(picker->items[(i * 7) % picker->items.size()]));
            }
            query.addBindValue(QString::number(1940 + i % 50));
            query.addBindValue(rows.value(0));
            ok = query.exec();
        }
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// A template as a real one is laid out: a heading row, a label per breakdown row, a total
// row under them.
bool writeTemplate(LibreOfficeSuite &suite, const SummaryDefinition &d, const QString &folder)
{
    CalcSpreadsheet sheet(suite.process());
    if (!sheet.createNew().ok())
        return false;
    CellBlock labels(1, 1, 150, d.lastColumn);
    labels.setText(1, 1, d.templateName);
    for (int column = 2; column <= d.lastColumn; ++column)
        labels.setText(1, column, QStringLiteral("指标%1").arg(column));
    for (int row = 2; row <= 150; ++row)
        labels.setText(row, 1, QStringLiteral("分组%1").arg(row));
    return sheet.writeBlock(labels).ok() &&
           sheet.writeFormula(201, 2, QStringLiteral("=SUM(B2:B200)")).ok() &&
           sheet.saveAs(QDir(folder).filePath(d.templateFileName())).ok();
}

// The benchmark's program folder: a copy of the records with their codes spread, and the
// templates; made once.
QString summaryFolder(const BenchContext &context)
{
    static std::unique_ptr<QTemporaryDir> dir;
    static bool ok = false;
    if (dir)
        return ok ? dir->path() : QString();
    dir = std::make_unique<QTemporaryDir>();
    const QString name = RecordStore::databaseFileName();
    ok = QFile::copy(QDir(context.folder).filePath(name), dir->filePath(name)) &&
         spreadCodes(dir->path());
    LibreOfficeSuite suite(OfficeProcess::Display::Headless);
    for (const SummaryDefinition &d : SummaryDefinitions::all())
        ok = ok && writeTemplate(suite, d, dir->path());
    return ok ? dir->path() : QString();
}

double summaries(BenchContext &context)
{
    const QString folder = summaryFolder(context);
    RecordStore store;
    if (folder.isEmpty() || !store.open(folder))
        return -1;
    QElapsedTimer timer;
    timer.start();
    LibreOfficeSuite suite(OfficeProcess::Display::Headless);
    const QVector<SummaryDefinition> &definitions = SummaryDefinitions::all();
    QVector<SumGrid> grids;
    if (!collectSums(definitions, store, &grids))
        return -1;
    for (int i = 0; i < definitions.size(); ++i) {
        if (!WriteSummary(definitions[i], grids[i], suite, folder).written)
            return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

double summariesFloor(BenchContext &context)
{
    const QString folder = summaryFolder(context);
    if (folder.isEmpty())
        return -1;
    QElapsedTimer timer;
    timer.start();
    LibreOfficeSuite suite(OfficeProcess::Display::Headless);
    const QDir dir(folder);
    for (const SummaryDefinition &d : SummaryDefinitions::all()) {
        const std::unique_ptr<Spreadsheet> sheet = suite.createSpreadsheet();
        if (!sheet->open(dir.filePath(d.templateFileName())).ok() ||
            !sheet->saveAs(dir.filePath(d.outputFileName())).ok() || !sheet->close().ok())
            return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

QVector<BenchOperation> summaryBenchOperations()
{
    return {
        {QStringLiteral("summaries"), summaries},
        {QStringLiteral("summaries-floor"), summariesFloor},
    };
}
