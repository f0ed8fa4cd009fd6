// The report documents: 200 made from a template with the report's 136 bookmarks (the walk of
// the all-projects command), and their floor: the same 200 documents based on the template and
// stored, with no bookmark filled. The office is running before the clock starts.
#include "bench.h"

#include "libreofficesuite.h"
#include "projectreport.h"
#include "recordstore.h"
#include "reporttemplate.h"
#include "wordapp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

constexpr int kDocuments = 200;

// A program folder of its own with 200 records and the template, and the office that made it.
struct ReportFolder
{
    QTemporaryDir dir;
    LibreOfficeSuite office;
    RecordStore store;

    bool prepare()
    {
        return dir.isValid() && fillSyntheticRecords(dir.path(), kDocuments) &&
               makeReportTemplate(office.writer(), ProjectReport::templatePath(dir.path())).ok() &&
               store.open(dir.path()) && store.recordCount() == kDocuments;
    }
};

double sinceStart(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double allReports(BenchContext &)
{
    ReportFolder folder;
    if (!folder.prepare())
        return -1;
    QElapsedTimer timer;
    timer.start();
    const ProjectReport::WalkResult result = ProjectReport::generateAll(
        folder.store, folder.office.wordApp(), folder.dir.path(), nullptr);
    return result.made == kDocuments ? sinceStart(timer) : -1;
}

double reportsFloor(BenchContext &)
{
    ReportFolder folder;
    if (!folder.prepare())
        return -1;
    WordApp &word = folder.office.wordApp();
    const QString templatePath = ProjectReport::templatePath(folder.dir.path());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kDocuments; ++i) {
        const QString number = folder.store.row(i).value(u"JB02");
        if (!word.addDocument(templatePath).ok() ||
            !word.saveAs(ProjectReport::reportPath(folder.dir.path(), number)).ok() ||
            !word.closeDocument().ok() || !word.quit().ok())
            return -1;
    }
    return sinceStart(timer);
}

} // namespace

QVector<BenchOperation> reportBenchOperations()
{
    return {
        {QStringLiteral("reports"), allReports, true, kDocuments},
        {QStringLiteral("reports-floor"), reportsFloor, true, kDocuments},
    };
}
