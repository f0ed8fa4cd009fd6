#include "summarycommand.h"

#include "captions.h"
#include "controltable.h"
#include "excelresidentwarning.h"
#include "failure.h"
#include "officestatus.h"
#include "prompts.h"
#include "summarydefinitions.h"
#include "summaryrun.h"
#include "waitcursor.h"

namespace {

QString notWrittenText(const QStringList &lines)
{
    return QStringLiteral("汇总未全部完成，以下汇总表没有生成：\n") + lines.join(u'\n');
}

const ControlEntry<SummaryCommand> kControls[] = {
    {"CommandSum", &SummaryCommand::CommandSum_Click},
};

} // namespace

SummaryCommand::SummaryCommand(RecordStore &store, std::function<OfficeSuite &()> office,
                               Prompts &prompts, const QString &programFolder, QObject *parent)
    : QObject(parent), m_store(store), m_office(std::move(office)), m_prompts(prompts),
      m_folder(programFolder)
{
}

void SummaryCommand::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
}

void SummaryCommand::CommandSum_Click()
{
    const QVector<SummaryDefinition> &definitions = SummaryDefinitions::all();
    QVector<SumGrid> grids;
    QString storeError;
    bool collected = false;
    {
        WaitCursor cursor;
        collected = collectSums(definitions, m_store, &grids, &storeError);
    }
    QStringList notWritten, reasons, passedOver;
    QString officeMissing; // once the office cannot start, the later summaries don't try again
    for (int i = 0; i < definitions.size(); ++i) {
        const SummaryDefinition &definition = definitions[i];
        SummaryOutcome outcome;
        if (!collected) {
            outcome = walkFailed(definition, storeError);
        } else if (officeMissing.isEmpty()) {
            WaitCursor cursor;
            outcome = WriteSummary(definition, grids[i], m_office(), m_folder,
                                   [&cursor] { cursor.restore(); });
            if (outcome.errorNumber == OfficeStatus::CannotStart)
                officeMissing = outcome.reason;
        } else {
            outcome = {definition.outputFileName(), false, OfficeStatus::CannotStart, officeMissing,
                       QString()};
        }
        if (outcome.errorNumber == OfficeStatus::PermissionDenied)
            ExcelResidentWarning(m_prompts);
        if (!outcome.written) {
            notWritten << outcome.outputFileName;
            reasons << outcome.outputFileName + QStringLiteral("：") + outcome.reason;
        } else if (!outcome.cellsPassedOver.isEmpty()) {
            passedOver << outcome.outputFileName + QStringLiteral("：") + outcome.cellsPassedOver;
        }
    }
    if (notWritten.isEmpty())
        m_prompts.message(QStringLiteral("汇总完成。"), Captions::completionTitle(),
                          MessageIcon::Exclamation, passedOver.join(u'\n'));
    else
        tellFailure(m_prompts, notWrittenText(notWritten), Captions::completionTitle(),
                    (reasons + passedOver).join(u'\n'), MessageIcon::Exclamation);
}
