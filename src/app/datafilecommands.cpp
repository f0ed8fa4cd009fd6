#include "datafilecommands.h"

#include "datafiles.h"
#include "formmain.h"
#include "kjformat.h"
#include "programdatabase.h"
#include "prompts.h"
#include "recordstore.h"
#include "waitcursor.h"

#include <QDir>
#include <QPushButton>
#include <QTableView>

namespace {

const QString kRetry = QStringLiteral("请检查数据或重新启动系统后重试。");
const QString kSubmitTitle = QStringLiteral("提交数据");
const QString kAppendTitle = QStringLiteral("数据追加");

} // namespace

DataFileCommands::DataFileCommands(FormMain &form) : m_form(form) {}

void DataFileCommands::connectControls()
{
    m_form.onClick("CommandExcel", [this] { CommandExcel_Click(); });
    m_form.onClick("Command1", [this] { Command1_Click(); });
    m_form.onClick("CommandEachItem", [this] { CommandEachItem_Click(); });
    m_form.onClick("CommandAddData", [this] { CommandAddData_Click(); });
}

void DataFileCommands::message(const QString &text, const QString &title)
{
    m_form.prompts().message(text, title, MessageIcon::Information);
}

void DataFileCommands::failure()
{
    message(QStringLiteral("数据提交失败！") + kRetry, FormMain::messageTitle());
}

void DataFileCommands::appendFailure(const QString &what)
{
    message(QStringLiteral("追加数据失败！") + what + kRetry, FormMain::messageTitle());
}

// The rows are stored first, in one transaction; then the recordset takes them in file order
// and stands on the matched row while each duplicate is told.
bool DataFileCommands::appendPlanned(const DataFiles::AppendPlan &plan)
{
    RecordStore &store = m_form.store();
    QVector<int> pauses;
    for (const DataFiles::AppendPlan::Duplicate &duplicate : plan.duplicates) {
        if (pauses.isEmpty() || pauses.last() != duplicate.rowsBefore)
            pauses << duplicate.rowsBefore;
    }
    qsizetype told = 0;
    const auto tellDuplicates = [&](int rowsIn) {
        for (; told < plan.duplicates.size() && plan.duplicates[told].rowsBefore == rowsIn;
             ++told) {
            store.moveTo(plan.duplicates[told].matchedRow);
            message(plan.duplicates[told].number + QStringLiteral("项目编号已存在！"),
                    FormMain::messageTitle());
        }
    };
    return store.appendRows(plan.rows, pauses, tellDuplicates);
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
    m_form.grid()->setVisible(true);
}

QString DataFileCommands::chooseSubmitFile()
{
    const QString path = m_form.prompts().saveFileName(
        FileDialogSetup{m_form.programFolder(), QStringLiteral("kj (*.kj)"), kSubmitTitle});
    if (path.isEmpty())
        m_form.prompts().askYesNo(QStringLiteral("未指定提交数据的文件名！！"), kSubmitTitle);
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
    RecordStore &store = m_form.store();
    if (isProgramDatabase(path, m_form.programFolder()) ||
        !DataFiles::writeAll(store, path, nullptr)) {
        failure();
        showGrid();
        return;
    }
    message(QStringLiteral("提交数据完成。数据已保存在") + path + QStringLiteral("中。"),
            FormMain::messageTitle());
    showGrid();
}

void DataFileCommands::Command1_Click()
{
    const QString path = chooseSubmitFile();
    if (path.isEmpty())
        return;
    RecordStore &store = m_form.store();
    if (isProgramDatabase(path, m_form.programFolder()) ||
        !DataFiles::writeCurrent(store, path, nullptr)) {
        failure();
        return;
    }
    message(QStringLiteral("提交数据完成。数据已保存在") + path + QStringLiteral("中。"),
            FormMain::shortTitle());
}

void DataFileCommands::CommandEachItem_Click()
{
    QStringList refused;
    const bool ok = DataFiles::distribute(m_form.store(), QDir::current(), &refused, nullptr);
    // A number that cannot name a file: that project alone is left out.
    for (const QString &number : refused) {
        message(QStringLiteral("数据提交失败！项目编号“") + number +
                    QStringLiteral("”不能用作数据文件名。") + kRetry,
                FormMain::messageTitle());
    }
    if (!ok) {
        failure();
        return;
    }
    if (refused.isEmpty()) // a run that left a project out does not report completion
        message(QStringLiteral("项目数据下发完成。"), FormMain::shortTitle());
}

void DataFileCommands::CommandAddData_Click()
{
    AppendData();
}

void DataFileCommands::AppendData()
{
    const QString path = m_form.prompts().openFileName(
        FileDialogSetup{m_form.programFolder(), QStringLiteral("Kj (*.kj)"), kAppendTitle});
    if (path.isEmpty()) {
        m_form.prompts().askYesNo(QStringLiteral("请指定文件名！！"), kAppendTitle);
        return;
    }
    WaitCursor wait;
    QVector<SurveyRecord> records;
    KjFormat::ReadError error;
    if (!KjFormat::readFile(path, &records, &error)) {
        appendFailure(readFailureText(path, error));
        return;
    }

    RecordStore &store = m_form.store();
    const DataFiles::AppendPlan plan = DataFiles::planAppend(store, records);
    records.clear();
    if (!appendPlanned(plan)) {
        appendFailure(QStringLiteral("数据无法保存到数据库，未追加任何数据。"));
        return;
    }
    // An empty file leaves the recordset where the append's start moved it.
    if (plan.rows.isEmpty() && plan.duplicates.isEmpty() && store.recordCount() > 0)
        store.moveFirst();
    message(QStringLiteral("追加数据完成。"), FormMain::messageTitle());
    showGrid();
}
