#pragma once

#include "prompts.h"

class QWidget;

// The prompts as modal dialogs over the main window.
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void message(const QString &text, const QString &title, MessageIcon icon,
                 const QString &details = QString()) override;
    bool askOkCancel(const QString &text, const QString &title) override;
    bool askYesNo(const QString &text, const QString &title) override;
    bool askYesNoDefaultNo(const QString &text, const QString &title) override;
    QString input(const QString &prompt, const QString &title) override;
    QString saveFileName(const FileDialogSetup &setup) override;
    QString openFileName(const FileDialogSetup &setup) override;

private:
    bool yesOrNo(const QString &text, const QString &title, int defaultButton);

    QWidget *m_parent;
};
