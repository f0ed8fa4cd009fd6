#pragma once

#include "databaselock.h"

#include <QObject>
#include <QtGui/qtguiglobal.h>
#include <memory>

class FormMain;
class Prompts;
class QSessionManager;
class TerminationSignals;

// One run of the program in its folder. It holds the lock of the folder's database while it
// runs, so that one copy at a time works on that database, and it ends the window as
// "结  束" does, storing what is pending, when the program is told to terminate (SIGTERM,
// SIGHUP, SIGINT) or the desktop session ends.
class ProgramRun : public QObject
{
    Q_OBJECT

public:
    ProgramRun(const QString &folder, Prompts &prompts);
    ~ProgramRun() override;

    static QString alreadyRunningText() { return QStringLiteral("本程序已在此文件夹中运行。"); }
    static QString readOnlyText()
    {
        return QStringLiteral("数据库文件只能读取，不能写入，所做的修改将无法保存。");
    }

    // Takes the database, then loads and shows the window. False, after saying why, when the
    // program must end: another copy works on the database (nothing is touched then), or the
    // database cannot be used.
    bool start();
    FormMain &window() { return *m_form; }

private:
    QString databasePath() const;
    bool takeDatabase();
    void endOnRequest();
#if QT_CONFIG(sessionmanager)
    void storeForSessionEnd(QSessionManager &session);
#endif

    QString m_folder;
    Prompts &m_prompts;
    DatabaseLock m_lock;
    std::unique_ptr<FormMain> m_form;
    std::unique_ptr<TerminationSignals> m_signals;
    bool m_ending = false;
};
