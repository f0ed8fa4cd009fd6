// wobzel2011-bench N [OPERATION...]: fills a temporary program folder with N synthetic
// records and prints one line per measured operation: "OPERATION N records T ms".
#include "bench.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int records = args.isEmpty() ? 10000 : args.takeFirst().toInt();
    QTemporaryDir dir;
    if (!dir.isValid() || !fillSyntheticRecords(dir.path(), records)) {
        std::fprintf(stderr, "cannot prepare the program folder\n");
        return 1;
    }
    BenchContext context{dir.path(), records};
    QVector<BenchOperation> operations = recordBenchOperations();
    operations += checkBenchOperations();
    operations += dataFileBenchOperations();
    operations += entryBenchOperations();
    operations += officeBenchOperations();
    operations += summaryBenchOperations();
    operations += reportBenchOperations();
    QTextStream out(stdout);
    int failures = 0;
    for (BenchOperation &op : operations) {
        if (!args.isEmpty() && !args.contains(op.name))
            continue;
        const double ms = op.run(context);
        if (ms < 0) {
            out << op.name << " failed" << Qt::endl;
            ++failures;
            continue;
        }
        const int shown = op.ownRecords >= 0 ? op.ownRecords : op.usesRecords ? records : 0;
        out << op.name << ' ' << shown << " records " << QString::number(ms, 'f', 1) << " ms"
            << Qt::endl;
    }
    return failures == 0 ? 0 : 1;
}
