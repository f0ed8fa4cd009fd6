#pragma once

#include <QString>
#include <QVector>
#include <functional>

// One measured operation of the benchmark: it runs against a program folder that holds
// `records` synthetic records and returns the milliseconds it took (or a negative value when
// it failed). It prints "NAME N records T ms".
struct BenchContext
{
    QString folder;
    int records = 0;
};

struct BenchOperation
{
    QString name;
    std::function<double(BenchContext &)> run;
    bool usesRecords = true; // false: printed with 0 records
    int ownRecords = -1;     // when set: the operation makes its own records, this many
};

// Writes `count` synthetic survey records straight into the database of `folder`.
bool fillSyntheticRecords(const QString &folder, int count);

QVector<BenchOperation> recordBenchOperations();
QVector<BenchOperation> checkBenchOperations();
QVector<BenchOperation> dataFileBenchOperations();
QVector<BenchOperation> entryBenchOperations();
QVector<BenchOperation> officeBenchOperations();
QVector<BenchOperation> summaryBenchOperations();
QVector<BenchOperation> reportBenchOperations();
