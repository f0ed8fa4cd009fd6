#include "codepickerset.h"

#include <QWidget>

void CodePickerSet::HideCodePickers()
{
    for (QWidget *picker : std::as_const(m_pickers))
        picker->hide();
}
