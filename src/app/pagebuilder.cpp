#include "pagebuilder.h"

#include "fieldbox.h"
#include "panel.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>

namespace PageBuilder {
namespace {

const PageInfo kPages[] = {
    {Page::Cover, "FrameCover", "封面", "Cover"},
    {Page::Table1, "Frame1", "表一、概况", "1"},
    {Page::Table2, "Frame2", "表二、项目资金落实及支出情况", "2"},
    {Page::Table3, "Frame3", "表三、本年度项目实际参加人员", "3"},
    {Page::Table4, "Frame4", "表四、本年度项目效益及成果", "4"},
};

constexpr int RowHeight = 330;
constexpr int BoxHeight = 300;
constexpr int FirstRowTop = 300;
constexpr int RowsPerColumn = 20;

QWidget *makeBox(const FieldSpec &spec, QWidget *parent)
{
    if (spec.kind == FieldKind::MultiLine) {
        auto *box = new MultiLineBox(parent);
        box->setObjectName(spec.boxName());
        return box;
    }
    auto *box = new FieldBox(parent);
    box->setObjectName(spec.boxName());
    box->setTypingLimit(spec.maxLength);
    if (spec.kind == FieldKind::Number)
        box->setAlignment(Qt::AlignRight);
    return box;
}

void addPageButton(QWidget *panel, const QString &name, const QString &caption, int left)
{
    auto *button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setGeometry(Twips::rect(left, 7200, 975, 375));
}

} // namespace

const PageInfo &info(Page page)
{
    return kPages[int(page)];
}

Panel *build(Page page, QWidget *parent)
{
    const PageInfo &pageInfo = info(page);
    auto *panel = new Panel(QString::fromLatin1(pageInfo.panelName),
                            QString::fromUtf8(pageInfo.caption), parent);
    const QVector<const FieldSpec *> fields = FieldCatalogue::fieldsOfPage(page);
    const int columns = int((fields.size() + RowsPerColumn - 1) / RowsPerColumn);
    const int rows = int((fields.size() + columns - 1) / columns);
    const int columnWidth = (Panel::OpenWidth - 240) / columns;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldSpec &spec = *fields[i];
        const int left = 120 + (i / rows) * columnWidth;
        const int top = FirstRowTop + (i % rows) * RowHeight;
        auto *label = new QLabel(spec.captionText(), panel);
        label->setObjectName(QStringLiteral("%1(%2)")
                                 .arg(QString::fromLatin1(spec.labelArray))
                                 .arg(spec.labelIndex));
        label->setGeometry(Twips::rect(left, top, columnWidth * 0.6, BoxHeight));
        QWidget *box = makeBox(spec, panel);
        box->setGeometry(Twips::rect(left + columnWidth * 0.6, top, columnWidth * 0.38, BoxHeight));
        box->setAccessibleName(spec.captionText());
        label->setBuddy(box);
    }
    const QString suffix = QString::fromLatin1(pageInfo.buttonSuffix);
    addPageButton(panel, QStringLiteral("CommandFront") + suffix, QStringLiteral("上一页"), 3240);
    addPageButton(panel, QStringLiteral("CommandBack") + suffix, QStringLiteral("下一页"), 4560);
    addPageButton(panel, QStringLiteral("CommandClose") + suffix, QStringLiteral("关  闭"), 5880);
    return panel;
}

} // namespace PageBuilder
