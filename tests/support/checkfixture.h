#pragma once

#include "checkcommands.h"
#include "checkrules.h"
#include "fakeoffice.h"
#include "recordstore.h"
#include "scriptedprompts.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QVector>

// The checking commands without the window: the record store of a program folder of its
// own, holding `records`, a report box, the check state, scripted prompts and the office
// stand-in.
class CheckFixture
{
public:
    explicit CheckFixture(const QVector<SurveyRecord> &records)
        : commands(
              store, check, prompts, [this]() -> OfficeSuite & { return office; }, reportBox,
              m_dir.path())
    {
        {
            RecordStore seed;
            if (!seed.open(m_dir.path()) || !seed.appendRows(records))
                qFatal("cannot write the records");
        }
        if (!store.open(m_dir.path()))
            qFatal("cannot open the record store");
    }

    QString folder() const { return m_dir.path(); }
    QString report() const { return commands.reportText(); }

private:
    QTemporaryDir m_dir;

public:
    RecordStore store;
    CheckState check;
    ScriptedPrompts prompts;
    QPlainTextEdit reportBox;
    FakeOffice office;
    CheckCommands commands;
};
