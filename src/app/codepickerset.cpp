#include "codepickerset.h"

#include "codepicker.h"
#include "codetables.h"
#include "fieldbox.h"
#include "twips.h"

CodePicker *CodePickerSet::picker(const QString &name) const
{
    for (CodePicker *p : m_pickers) {
        if (p->objectName() == name)
            return p;
    }
    return nullptr;
}

CodePicker *CodePickerSet::shownPicker() const
{
    for (CodePicker *p : m_pickers) {
        if (p->isVisibleTo(p->parentWidget()))
            return p;
    }
    return nullptr;
}

void CodePickerSet::HideCodePickers()
{
    for (CodePicker *picker : std::as_const(m_pickers))
        picker->hide();
}

void CodePickerSet::ShowCodePicker(CodePicker *picker, QWidget *field)
{
    const QRect place = field->geometry();
    const int width =
        picker->def().ownWidth > 0 ? Twips::px(picker->def().ownWidth) : place.width();
    const auto *box = qobject_cast<FieldBox *>(field);
    picker->setShownText(box ? box->text() : QString());
    picker->setGeometry(place.left(), place.top(), width, Twips::px(CodeTables::PickerHeight));
    HideCodePickers();
    picker->show();
    picker->raise();
}
