#include "formmain.h"

#include "captions.h"
#include "checkcommands.h"
#include "controltable.h"
#include "datacontrol.h"
#include "datafilecommands.h"
#include "fieldbehaviour.h"
#include "fieldbinder.h"
#include "fieldbox.h"
#include "helpcommand.h"
#include "officesuite.h"
#include "pagebuilder.h"
#include "panel.h"
#include "projectcommands.h"
#include "recordstore.h"
#include "recordtablemodel.h"
#include "reportcommands.h"
#include "summarycommand.h"
#include "twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct MainButton
{
    const char *name;
    const char *caption;
    int top;
    const char *picture;
    QStyle::StandardPixmap icon;
};

const MainButton kMainButtons[] = {
    {"CommandEditData", "数据录入/修改", 1080, "ImageEditData", QStyle::SP_FileDialogDetailedView},
    {"CommandCheck", "数据审核", 1680, "ImageCheck", QStyle::SP_DialogApplyButton},
    {"CommandAddData", "追加数据", 2280, "ImageAddData", QStyle::SP_ArrowDown},
    {"CommandExcel", "提交数据", 2880, "ImageExcel", QStyle::SP_ArrowUp},
    {"CommandEachItem", "项目下发", 3480, "ImageEachItem", QStyle::SP_FileDialogListView},
    {"CommandReports", "报表生成", 4080, "ImageReports", QStyle::SP_FileIcon},
    {"CommandDataInit", "数据初始化", 4680, "ImageDataInit", QStyle::SP_TrashIcon},
    {"CommandSum", "汇  总", 5280, "ImageSum", QStyle::SP_FileDialogContentsView},
    {"CommandItem", "未报项目核对", 5880, "Image4", QStyle::SP_FileDialogInfoView},
    {"CommandEnd", "结  束", 6480, "ImageEnd", QStyle::SP_DialogCloseButton},
};

struct ListCommand
{
    const char *name;
    const char *caption;
    int left;
};

const ListCommand kListCommands[] = {
    {"CommandAddItem", "项目添加", 240},    {"CommandEdit", "项目编辑", 1440},
    {"CommandCheckItem", "项目审核", 2640}, {"CommandDeleteItem", "项目删除", 3840},
    {"Command1", "项目上报", 5040},         {"CommandReport", "报表生成", 6240},
    {"CommandPrint", "报表打印", 7440},     {"CommandExitDataEdit", "结束编辑", 8760},
};

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent,
                        const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setGeometry(geometry);
    return button;
}

QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent, double left,
                  double top)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->move(Twips::px(left), Twips::px(top));
    label->adjustSize();
    return label;
}

FieldBox *makeHeaderBox(const QString &name, int limit, QWidget *parent, const QRect &geometry)
{
    auto *box = new FieldBox(parent);
    box->setObjectName(name);
    box->setTypingLimit(limit);
    box->setGeometry(geometry);
    return box;
}

} // namespace

FormMain::FormMain(const QString &programFolder, Prompts &prompts, OfficeMaker makeOffice,
                   QWidget *parent)
    : QMainWindow(parent), m_folder(programFolder), m_prompts(prompts),
      m_makeOffice(std::move(makeOffice)), m_store(std::make_unique<RecordStore>()),
      m_binder(std::make_unique<FieldBinder>(*m_store, this))
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(Captions::windowTitle());
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(m_central);
    m_central->installEventFilter(this);

    m_background = new QLabel(m_central);
    m_background->setObjectName(QStringLiteral("ImageBackground"));
    m_background->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dbe7f3, stop:1 #9fbad6);"));
    m_focusPark = new QWidget(m_central);
    m_focusPark->setObjectName(QStringLiteral("FocusPark"));
    m_focusPark->setGeometry(0, 0, 1, 1);

    buildMenus();
    buildMainButtons();
    buildHeader();
    m_dataControl = new DataControl(*m_store, m_central);
    m_dataControl->setGeometry(Twips::rect(120, 90, 2295, 375));
    buildDataList();
    buildPages();
    buildCommands();
    connectCommands();

    connect(m_store.get(), &RecordStore::moveComplete, this, &FormMain::Adodc2xxx_MoveComplete);
    connect(m_store.get(), &RecordStore::currentRowChanged, this, &FormMain::syncGridToCurrentRow);
    resize(Twips::px(13635), Twips::px(10710) + menuBar()->sizeHint().height());
}

FormMain::~FormMain() = default;

void FormMain::buildMenus()
{
    struct Menu
    {
        const char *title;
        QVector<const char *> entries;
    };
    const Menu menus[] = {
        {"数据录入/修改(&E)",
         {"数据录入/修改(&E)", "数据初始化(&I)", "追加项目清单(&A)", "数据复制(&C)", "数据粘贴(&P)",
          "数据删除(&D)"}},
        {"数据传送(&T)", {"接收数据(&A)", "提交数据(&E)", "追加数据(&A)"}},
        {"数据审核(&C)", {"审核当前纪录(&C)", "审核全部记录(&A)"}},
        {"报表生成(&R)", {"当前记录生成报表(&C)", "全部记录生成报表(&A)"}},
        {"帮助(&H)", {"帮助信息(&H)", "关于WOBZEL(&A)"}},
    };
    for (const Menu &menu : menus) {
        QMenu *m = menuBar()->addMenu(QString::fromUtf8(menu.title));
        for (const char *entry : menu.entries) {
            QAction *action = m->addAction(QString::fromUtf8(entry));
            if (qstrcmp(entry, "追加项目清单(&A)") == 0)
                action->setEnabled(false);
        }
    }
    const QList<QAction *> editEntries = menuBar()->actions().first()->menu()->actions();
    editEntries.first()->setObjectName(QStringLiteral("MenuDataEdit"));
    const QList<QAction *> helpEntries = menuBar()->actions().last()->menu()->actions();
    helpEntries.first()->setObjectName(QStringLiteral("MenuHelpView"));
}

void FormMain::buildMainButtons()
{
    for (const MainButton &b : kMainButtons) {
        makeButton(QString::fromLatin1(b.name), QString::fromUtf8(b.caption), m_central,
                   Twips::rect(720, b.top, 1455, 375));
        auto *picture = new QLabel(m_central);
        picture->setObjectName(QString::fromLatin1(b.picture));
        picture->setPixmap(style()->standardIcon(b.icon).pixmap(Twips::px(300)));
        picture->setGeometry(Twips::rect(300, b.top, 375, 375));
    }
}

void FormMain::buildHeader()
{
    makeLabel(QStringLiteral("LabelEditItem"), QStringLiteral("当前编辑项目"), m_central, 2640,
              180);
    makeHeaderBox(QStringLiteral("TextItemNo"), 20, m_central, Twips::rect(3720, 120, 1575, 315));
    makeHeaderBox(QStringLiteral("TextItemName"), 80, m_central, Twips::rect(5280, 120, 4335, 315));
    makeLabel(QStringLiteral("LabelQuery"), QStringLiteral("定位(项目号)"), m_central, 9960, 180);
    m_query = makeHeaderBox(QStringLiteral("TextQuery"), 20, m_central,
                            Twips::rect(11040, 120, 2175, 315));
    m_query->setAccessibleName(QStringLiteral("定位(项目号)"));
    auto *queryButton = new QToolButton(m_central);
    queryButton->setObjectName(QStringLiteral("CommandQuery"));
    queryButton->setAccessibleName(QStringLiteral("定位(项目号)"));
    queryButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    queryButton->setGeometry(Twips::rect(13240, 120, 330, 315));
}

void FormMain::buildDataList()
{
    auto *list = new Panel(QStringLiteral("FrameDataList"), QStringLiteral("项目清单"), m_focusPark,
                           m_central);
    m_panels.list = list;

    auto *gridArea = new QWidget(list);
    gridArea->setGeometry(Twips::rect(240, 300, 9495, 4000));
    auto *gridLayout = new QVBoxLayout(gridArea);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    auto *gridCaption = new QLabel(Captions::messageTitle(), gridArea);
    gridCaption->setAlignment(Qt::AlignCenter);
    gridCaption->setStyleSheet(QStringLiteral("background:#3a6ea5; color:white; padding:2px;"));
    m_grid = new QTableView(gridArea);
    m_grid->setObjectName(QStringLiteral("DataGridwobzel"));
    m_grid->setAccessibleName(Captions::messageTitle());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(Twips::px(300));
    gridLayout->addWidget(gridCaption);
    gridLayout->addWidget(m_grid, 1);

    for (const ListCommand &c : kListCommands)
        makeButton(QString::fromLatin1(c.name), QString::fromUtf8(c.caption), list,
                   Twips::rect(c.left, 4440, 975, 375));

    auto *reportFrame = new QGroupBox(QStringLiteral("数据审核结果："), list);
    reportFrame->setObjectName(QStringLiteral("FrameCheckReport"));
    reportFrame->setGeometry(Twips::rect(240, 4920, 9495, 2655));
    m_checkReport = new QPlainTextEdit(reportFrame);
    m_checkReport->setObjectName(QStringLiteral("TextCheckReport"));
    m_checkReport->setAccessibleName(QStringLiteral("数据审核结果："));
    m_checkReport->setGeometry(Twips::rect(120, 300, 8175, 2235));
    m_checkReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_checkReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_checkReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    makeButton(QStringLiteral("CommandCheckClear"), QStringLiteral("清除"), reportFrame,
               Twips::rect(8400, 1440, 975, 375));
    makeButton(QStringLiteral("CommandSaveCheckReport"), QStringLiteral("保存结果"), reportFrame,
               Twips::rect(8400, 2160, 975, 375));
}

void FormMain::buildPages()
{
    for (Page page : PageBuilder::AllPages)
        m_panels.pages[int(page)] = PageBuilder::build(page, m_central, m_focusPark);
}

// Each command gets what it uses: the recordset, the prompts, the program's folder, the
// office programs (made on first use), and the widgets it drives.
void FormMain::buildCommands()
{
    const auto office = [this]() -> OfficeSuite & { return this->office(); };
    m_fieldBehaviour = std::make_unique<FieldBehaviour>(*m_store, *m_binder, m_prompts, *m_central,
                                                        *m_focusPark, this);
    m_pageRing = std::make_unique<PageRing>(*m_store, m_check, m_fieldBehaviour->codePickers(),
                                            m_prompts, m_panels, this);
    m_projectCommands = std::make_unique<ProjectCommands>(
        *m_store, *m_binder, m_prompts, *m_pageRing, *m_panels.list, *m_query, this);
    m_checkCommands = std::make_unique<CheckCommands>(*m_store, m_check, m_prompts, office,
                                                      *m_checkReport, m_folder, this);
    m_dataFileCommands =
        std::make_unique<DataFileCommands>(*m_store, m_prompts, m_folder, *m_grid, this);
    m_helpCommand = std::make_unique<HelpCommand>(office, m_prompts, m_folder, this);
    m_summaryCommand =
        std::make_unique<SummaryCommand>(*m_store, office, m_prompts, m_folder, this);
    m_reportCommands =
        std::make_unique<ReportCommands>(*m_store, office, m_prompts, m_folder, this);
}

void FormMain::connectCommands()
{
    static const ControlEntry<FormMain, bool> controls[] = {
        {"CommandEnd", &FormMain::CommandEnd_Click},
    };
    ControlTable::connect(*this, *this, controls);
    m_pageRing->connectControls(*this);
    m_projectCommands->connectControls(*this);
    m_checkCommands->connectControls(*this);
    m_dataFileCommands->connectControls(*this);
    m_helpCommand->connectControls(*this);
    m_summaryCommand->connectControls(*this);
    m_reportCommands->connectControls(*this);
}

void FormMain::bindBoxes()
{
    m_binder->bind(findChild<FieldBox *>(QStringLiteral("TextItemName")), QStringLiteral("JB01"));
    m_binder->bind(findChild<FieldBox *>(QStringLiteral("TextItemNo")), QStringLiteral("JB02"));
    for (const FieldSpec &def : FieldCatalogue::fields())
        m_binder->bind(findChild<QWidget *>(def.boxName()), def.codeName());
}
