#include "reportcommands.h"

#include "captions.h"
#include "controltable.h"
#include "failure.h"
#include "officesuite.h"
#include "projectreport.h"
#include "prompts.h"
#include "recordstore.h"
#include "waitcursor.h"
#include "wordapp.h"

#include <QDir>

#include <optional>

using ProjectReport::Outcome;

namespace {

const ControlEntry<ReportCommands> kControls[] = {
    {"CommandReport", &ReportCommands::CommandReport_Click},
    {"CommandReports", &ReportCommands::CommandReports_Click},
    {"CommandPrint", &ReportCommands::CommandPrint_Click},
};

} // namespace

ReportCommands::ReportCommands(RecordStore &store, std::function<OfficeSuite &()> office,
                               Prompts &prompts, const QString &programFolder, QObject *parent)
    : QObject(parent), m_store(store), m_office(std::move(office)), m_prompts(prompts),
      m_folder(programFolder)
{
}

void ReportCommands::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
}

void ReportCommands::message(const QString &text, const QString &title)
{
    m_prompts.message(text, title, MessageIcon::Information);
}

void ReportCommands::showFailure(const Outcome &outcome)
{
    tellFailure(m_prompts, ProjectReport::failureText(outcome), ProjectReport::failureTitle(),
                outcome.reason);
}

// A missing template is told; one that is there but is no regular file or cannot be read is
// told only when `unusable` says so. The template is looked at, never opened.
bool ReportCommands::templateUsable(UnusableTemplate unusable)
{
    QString reason;
    switch (ProjectReport::probeTemplate(m_folder, &reason)) {
    case ProjectReport::TemplateState::Present:
        return true;
    case ProjectReport::TemplateState::Missing:
        message(
            QStringLiteral("未找到报表模板文件！请将报表模板文件“xxxx模板.Doc”复制到安装目录。"),
            Captions::messageTitle());
        return false;
    case ProjectReport::TemplateState::Unusable:
        if (unusable == UnusableTemplate::IsTold)
            showFailure({Outcome::Kind::Failed, reason});
        return false;
    }
    return false;
}

void ReportCommands::CommandReport_Click()
{
    if (!templateUsable(UnusableTemplate::EndsSilently))
        return;
    const QString number = m_store.shownText(u"JB02");
    std::optional<WaitCursor> wait(std::in_place);
    const Outcome outcome =
        ProjectReport::GenerateProjectReport(m_office().wordApp(), m_folder, m_store);
    wait.reset();
    if (!outcome.made()) {
        showFailure(outcome);
        return;
    }
    message(QStringLiteral("报表已生成，文件名为：") + number +
                QStringLiteral(".doc，报表格式可能需要调整。"),
            Captions::shortTitle());
}

void ReportCommands::CommandReports_Click()
{
    if (!m_prompts.askOkCancel(QStringLiteral("生成全部项目报表需要较长时间，要继续吗？"),
                               Captions::messageTitle()))
        return;
    if (m_store.recordCount() == 0) {
        message(QStringLiteral("没有项目记录，未生成报表。"), Captions::shortTitle());
        return;
    }
    if (!templateUsable(UnusableTemplate::IsTold))
        return;
    std::optional<WaitCursor> wait(std::in_place);
    // A failure is told at once, without the hourglass over its message.
    const ProjectReport::WalkResult result = ProjectReport::generateAll(
        m_store, m_office().wordApp(), m_folder, [&](const Outcome &outcome) {
            wait.reset();
            showFailure(outcome);
            wait.emplace();
        });
    wait.reset();
    if (result.notMade() > 0) {
        const QString text =
            QStringLiteral("共%1个项目，其中%2个项目的报表没有生成；已生成的报表格式可能需要调整。")
                .arg(result.count)
                .arg(result.notMade());
        if (result.stopReason.isEmpty())
            message(text, Captions::shortTitle());
        else // the walk stopped on a row it could not store
            tellFailure(m_prompts, text, Captions::shortTitle(), result.stopReason);
        return;
    }
    message(QStringLiteral("报表已全部生成，格式可能需要调整。"), Captions::shortTitle());
}

void ReportCommands::CommandPrint_Click()
{
    const QString notFound = QStringLiteral("报表文件没有找到，请重新生成报表文件。");
    const QString path = ProjectReport::reportPath(m_folder, m_store.shownText(u"JB02"));
    WordApp &word = m_office().wordApp();
    if (path.isEmpty()) { // a number that names no file has no report
        message(notFound, Captions::shortTitle());
        word.quit();
        return;
    }
    std::optional<WaitCursor> wait(std::in_place);
    OfficeStatus status = word.addDocument(path);
    if (status.ok())
        status = word.printOut();
    if (status.ok())
        status = word.closeDocument();
    wait.reset();
    if (status.number() == OfficeStatus::DocumentNotFound)
        message(notFound, Captions::shortTitle());
    else if (!status.ok()) // the error's own text, without an icon, under the window's title
        tellFailure(m_prompts, status.text(), Captions::windowTitle(),
                    QStringLiteral("打印报表文件%1时出错（错误号 %2）：%3")
                        .arg(QDir::toNativeSeparators(path))
                        .arg(status.number())
                        .arg(status.text()),
                    MessageIcon::None);
    word.quit();
}
