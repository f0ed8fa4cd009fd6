#include "qtprompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Gives the main window back its activation once a dialog has closed, so that the next
// click into a field is an ordinary focus move (without a window manager nobody else does).
void reactivate(QWidget *parent)
{
    if (parent)
        parent->activateWindow();
}

// The dialogs move the current directory to the folder of the file chosen.
QString followChoice(const QString &name)
{
    if (!name.isEmpty())
        QDir::setCurrent(QFileInfo(name).absolutePath());
    return name;
}

} // namespace

void QtPrompts::message(const QString &text, const QString &title, MessageIcon icon,
                        const QString &details)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, m_parent);
    box.setDetailedText(details);
    box.exec();
    reactivate(m_parent);
}

bool QtPrompts::askOkCancel(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent);
    const bool ok = box.exec() == QMessageBox::Ok;
    reactivate(m_parent);
    return ok;
}

bool QtPrompts::askYesNo(const QString &text, const QString &title)
{
    return yesOrNo(text, title, QMessageBox::Yes);
}

bool QtPrompts::askYesNoDefaultNo(const QString &text, const QString &title)
{
    return yesOrNo(text, title, QMessageBox::No);
}

bool QtPrompts::yesOrNo(const QString &text, const QString &title, int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::StandardButton(defaultButton));
    const bool yes = box.exec() == QMessageBox::Yes;
    reactivate(m_parent);
    return yes;
}

QString QtPrompts::input(const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    reactivate(m_parent);
    return ok ? text : QString();
}

QString QtPrompts::saveFileName(const FileDialogSetup &setup)
{
    // The program's save dialogs replace an existing file without a question.
    const QString name =
        QFileDialog::getSaveFileName(m_parent, setup.title, setup.folder, setup.filter, nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    reactivate(m_parent);
    return followChoice(name);
}

QString QtPrompts::openFileName(const FileDialogSetup &setup)
{
    const QString name =
        QFileDialog::getOpenFileName(m_parent, setup.title, setup.folder, setup.filter);
    reactivate(m_parent);
    return followChoice(name);
}
