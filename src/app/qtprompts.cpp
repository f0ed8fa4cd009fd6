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

// The dialogs move the current directory to the folder of the file chosen.
QString followChoice(const QString &name)
{
    if (!name.isEmpty())
        QDir::setCurrent(QFileInfo(name).absolutePath());
    return name;
}

} // namespace

void QtPrompts::message(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompts::askOkCancel(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent);
    return box.exec() == QMessageBox::Ok;
}

bool QtPrompts::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompts::input(const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

QString QtPrompts::saveFileName(const FileDialogSetup &setup)
{
    // The program's save dialogs replace an existing file without a question.
    return followChoice(QFileDialog::getSaveFileName(m_parent, setup.title, setup.folder,
                                                     setup.filter, nullptr,
                                                     QFileDialog::DontConfirmOverwrite));
}

QString QtPrompts::openFileName(const FileDialogSetup &setup)
{
    return followChoice(
        QFileDialog::getOpenFileName(m_parent, setup.title, setup.folder, setup.filter));
}
