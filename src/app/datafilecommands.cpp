#include "datafilecommands.h"

#include "captions.h"
#include "controltable.h"
#include "datafiles.h"
#include "failure.h"
#include "kjformat.h"
#include "projectfilename.h"
#include "prompts.h"
#include "recordstore.h"
#include "waitcursor.h"

#include <QDir>
#include <QWidget>

namespace {

const QString kRetry = QStringLiteral("请检查数据或重新启动系统后重试。");
const QString kSubmitTitle = QStringLiteral("提交数据");
const QString kAppendTitle = QStringLiteral("数据追加");

const ControlEntry<DataFileCommands> kControls[] = {
    {"CommandExcel", &DataFileCommands::CommandExcel_Click},
    {"Command1", &DataFileCommands::Command1_Click},
    {"CommandEachItem", &DataFileCommands::CommandEachItem_Click},
    {"CommandAddData", &DataFileCommands::CommandAddData_Click},
};

} // namespace

DataFileCommands::DataFileCommands(RecordStore &store, Prompts &prompts,
                                   const QString &programFolder, QWidget &grid, QObject *parent)
    : QObject(parent), m_store(store), m_prompts(prompts), m_folder(programFolder), m_grid(grid)
{
}

void DataFileCommands::connectControls(QObject &window)
{
    ControlTable::connect(window, *this, kControls);
}

void DataFileCommands::message(const QString &text, const QString &title)
{
    m_prompts.message(text, title, MessageIcon::Information);
}

void DataFileCommands::failure(const QString &reason)
{
    tellFailure(m_prompts, QStringLiteral("数据提交失败！") + kRetry, Captions::messageTitle(),
                reason);
}

void DataFileCommands::appendFailure(const QString &what, const QString &reason)
{
    tellFailure(m_prompts, QStringLiteral("追加数据失败！") + what + kRetry,
                Captions::messageTitle(), reason);
}

// The rows are stored first, in one transaction; then the recordset takes them in file order
// and stands on the matched row while each duplicate is told.
bool DataFileCommands::appendPlanned(const DataFiles::AppendPlan &plan)
{
    QVector<int> pauses;
    for (const DataFiles::AppendPlan::Duplicate &duplicate : plan.duplicates) {
        if (pauses.isEmpty() || pauses.last() != duplicate.rowsBefore)
            pauses << duplicate.rowsBefore;
    }
    qsizetype told = 0;
    const auto tellDuplicates = [&](int rowsIn) {
        for (; told < plan.duplicates.size() && plan.duplicates[told].rowsBefore == rowsIn;
             ++told) {
            m_store.moveTo(plan.duplicates[told].matchedRow);
            message(plan.duplicates[told].number + QStringLiteral("项目编号已存在！"),
                    Captions::messageTitle());
        }
    };
    return m_store.appendRows(plan.rows, pauses, tellDuplicates);
}

QString DataFileCommands::readFailureText(const QString &path, const KjFormat::ReadError &error)
{
    using Kind = KjFormat::ReadError::Kind;
    const QString nothing = QStringLiteral("未追加任何数据。");
    switch (error.kind) {
    case Kind::UnterminatedQuote:
        return QStringLiteral("数据文件%1的第%2个数据项缺少结束的引号，文件已损坏，")
                   .arg(path)
                   .arg(error.item) +
               nothing;
    case Kind::IncompleteRecord:
        return QStringLiteral("数据文件%1共有%2个数据项，不是每条记录%3项的整数倍，文件不完整，")
                   .arg(path)
                   .arg(error.count)
                   .arg(KjFormat::ValuesPerRecord) +
               nothing;
    case Kind::NotGbk:
        return QStringLiteral("数据文件%1的第%2条记录的第%3个数据项含有不是GBK编码的字节，"
                              "文件已损坏，")
                   .arg(path)
                   .arg(error.record)
                   .arg(error.item) +
               nothing;
    case Kind::NotRegularFile:
        return QStringLiteral("%1不是普通文件，不能作为数据文件，").arg(path) + nothing;
    case Kind::TooLarge:
        return QStringLiteral("数据文件%1太大：一次最多追加%2条记录、%3MB，")
                   .arg(path)
                   .arg(KjFormat::MaxRecords)
                   .arg(KjFormat::MaxFileBytes / (1024 * 1024)) +
               nothing;
    case Kind::CannotOpen:
    case Kind::None:
        break;
    }
    return QStringLiteral("无法打开数据文件%1，").arg(path) + nothing;
}

void DataFileCommands::showGrid()
{
    m_grid.setVisible(true);
}

QString DataFileCommands::chooseSubmitFile()
{
    const QString path = m_prompts.saveFileName(
        FileDialogSetup{m_folder, QStringLiteral("kj (*.kj)"), kSubmitTitle});
    if (path.isEmpty())
        m_prompts.askYesNo(QStringLiteral("未指定提交数据的文件名！！"), kSubmitTitle);
    return path;
}

void DataFileCommands::CommandExcel_Click()
{
    SubmitData();
}

void DataFileCommands::SubmitData()
{
    const QString path = chooseSubmitFile();
    if (path.isEmpty())
        return;
    WaitCursor wait;
    QString reason;
    if (!mayWriteOver(path, m_folder, &reason) || !DataFiles::writeAll(m_store, path, &reason)) {
        failure(reason);
        showGrid();
        return;
    }
    message(QStringLiteral("提交数据完成。数据已保存在") + path + QStringLiteral("中。"),
            Captions::messageTitle());
    showGrid();
}

void DataFileCommands::Command1_Click()
{
    const QString path = chooseSubmitFile();
    if (path.isEmpty())
        return;
    QString reason;
    if (!mayWriteOver(path, m_folder, &reason) ||
        !DataFiles::writeCurrent(m_store, path, &reason)) {
        failure(reason);
        return;
    }
    message(QStringLiteral("提交数据完成。数据已保存在") + path + QStringLiteral("中。"),
            Captions::shortTitle());
}

void DataFileCommands::CommandEachItem_Click()
{
    QStringList refused;
    QString reason;
    const QDir folder = QDir::current();
    const bool ok =
        DataFiles::distribute(m_store, folder, programFiles(m_folder), &refused, &reason);
    // A number that cannot name a file: that project alone is left out. A name that leads to
    // one of the program's own files is told as that.
    const qsizetype longestName = refused.isEmpty() ? 0 : ProjectFileName::longestIn(folder);
    for (const QString &number : refused) {
        QString ownFile;
        if (ProjectFileName::isUsable(number, KjFormat::fileSuffix(), longestName) &&
            !mayWriteOver(folder.filePath(number + KjFormat::fileSuffix()), m_folder, &ownFile)) {
            failure(ownFile);
            continue;
        }
        message(QStringLiteral("数据提交失败！项目编号“") + number +
                    QStringLiteral("”不能用作数据文件名。") + kRetry,
                Captions::messageTitle());
    }
    if (!ok) {
        failure(reason);
        return;
    }
    if (refused.isEmpty()) // a run that left a project out does not report completion
        message(QStringLiteral("项目数据下发完成。"), Captions::shortTitle());
}

void DataFileCommands::CommandAddData_Click()
{
    AppendData();
}

void DataFileCommands::AppendData()
{
    const QString path = m_prompts.openFileName(
        FileDialogSetup{m_folder, QStringLiteral("Kj (*.kj)"), kAppendTitle});
    if (path.isEmpty()) {
        m_prompts.askYesNo(QStringLiteral("请指定文件名！！"), kAppendTitle);
        return;
    }
    WaitCursor wait;
    QVector<SurveyRecord> records;
    KjFormat::ReadError error;
    if (!KjFormat::readFile(path, &records, &error)) {
        appendFailure(readFailureText(path, error), error.detail);
        return;
    }

    const DataFiles::AppendPlan plan = DataFiles::planAppend(m_store, records);
    records.clear();
    if (!appendPlanned(plan)) {
        appendFailure(QStringLiteral("数据无法保存到数据库，未追加任何数据。"),
                      m_store.lastError());
        return;
    }
    // An empty file leaves the recordset where the append's start moved it.
    if (plan.rows.isEmpty() && plan.duplicates.isEmpty() && m_store.recordCount() > 0)
        m_store.moveFirst();
    message(QStringLiteral("追加数据完成。"), Captions::messageTitle());
    showGrid();
}
