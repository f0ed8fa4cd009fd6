#pragma once

#include "checkcommands.h"
#include "datacontrol.h"
#include "fieldbehaviour.h"
#include "fieldbinder.h"
#include "fieldbox.h"
#include "formmain.h"
#include "officeloader.h"
#include "officesuite.h"
#include "pagering.h"
#include "panel.h"
#include "projectcommands.h"
#include "recordstore.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>

// The main window over a program folder, its questions answered from a script: what the
// tests that need the window share. Make it, put what the test needs into the folder, then
// load it. Its parts are found in the window's object tree: widgets by their object names,
// as the user knows them, the binder and the commands by their types.
class TestWindow
{
public:
    // A window over `folder`, or over a temporary folder of its own when none is given, with
    // `office` as its office programs (by default those of the office library).
    explicit TestWindow(const QString &folder = QString(),
                        std::unique_ptr<OfficeSuite> office = nullptr)
        : m_folder(folder)
    {
        if (m_folder.isEmpty()) {
            m_dir = std::make_unique<QTemporaryDir>();
            m_folder = m_dir->path();
        }
        m_office = office.get();
        auto held = std::make_shared<std::unique_ptr<OfficeSuite>>(std::move(office));
        FormMain::OfficeMaker makeOffice;
        if (*held)
            makeOffice = [held] { return *held ? std::move(*held) : OfficeLoader::createSuite(); };
        m_form = std::make_unique<FormMain>(m_folder, prompts, makeOffice);
    }

    // Loads the window; false, with the reason in `loadError`, when the database cannot be
    // used.
    bool load() { return m_form->Form_Load(&loadError); }
    // Shows the window, active.
    void show()
    {
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
    }

    ScriptedPrompts prompts;
    QString loadError;

    FormMain &form() { return *m_form; }
    // The office programs the window was given, as the type they were given as.
    template <class Office> Office &officeAs() const { return static_cast<Office &>(*m_office); }
    QString folder() const { return m_folder; }
    QString path(const QString &name) const { return QDir::cleanPath(m_folder + u'/' + name); }

    RecordStore &store() { return m_form->store(); }
    FieldBinder &binder() const { return *part<FieldBinder>(); }
    PageRing &pageRing() const { return *part<PageRing>(); }
    ProjectCommands &projectCommands() const { return *part<ProjectCommands>(); }
    CheckCommands &checkCommands() const { return *part<CheckCommands>(); }
    CodePickerSet &codePickers() const { return part<FieldBehaviour>()->codePickers(); }

    Panel *panel(const QString &name) const { return widget<Panel>(name); }
    QPushButton *button(const QString &name) const { return widget<QPushButton>(name); }
    FieldBox *lineBox(const QString &name) const { return widget<FieldBox>(name); }
    FieldBox *queryBox() const { return lineBox(QStringLiteral("TextQuery")); }
    QTableView *grid() const { return widget<QTableView>(QStringLiteral("DataGridwobzel")); }
    DataControl *dataControl() const { return widget<DataControl>(QStringLiteral("Adodc2xxx")); }
    QPlainTextEdit *checkReport() const
    {
        return widget<QPlainTextEdit>(QStringLiteral("TextCheckReport"));
    }
    // Clicks the button named `name`.
    void click(const char *name) const { button(QString::fromLatin1(name))->click(); }

    // The box of a field code, and whether a caption label (by object name) or a box that
    // lights itself shows the highlight colour.
    QWidget *fieldBox(const QString &code) const
    {
        const FieldSpec *def = FieldCatalogue::field(code);
        return def ? widget<QWidget>(def->boxName()) : nullptr;
    }
    bool isLit(const QString &objectName) const
    {
        auto *shown = widget<QWidget>(objectName);
        const QPalette::ColorRole role =
            qobject_cast<QLabel *>(shown) ? QPalette::Window : QPalette::Base;
        return shown && shown->palette().color(role) == FieldBehaviour::highlightColour();
    }

private:
    template <class Part> Part *part() const { return m_form->findChild<Part *>(); }
    template <class Widget> Widget *widget(const QString &name) const
    {
        return m_form->findChild<Widget *>(name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    OfficeSuite *m_office = nullptr;
    std::unique_ptr<FormMain> m_form;
};
