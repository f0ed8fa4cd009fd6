#include "programrun.h"

#include "captions.h"
#include "formmain.h"
#include "prompts.h"
#include "recordstore.h"
#include "terminationsignals.h"

#include <QApplication>
#include <QDir>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif
#include <QThread>
#include <QTimer>

ProgramRun::ProgramRun(const QString &folder, Prompts &prompts)
    : m_folder(folder), m_prompts(prompts), m_lock(QDir(folder).filePath(lockFileName())),
      m_form(std::make_unique<FormMain>(folder, prompts))
{
    // A running copy's lock never goes stale by its age; that of a copy that died does.
    m_lock.setStaleLockTime(0);
}

ProgramRun::~ProgramRun() = default;

bool ProgramRun::start()
{
    if (!takeFolder())
        return false;
    QString error;
    if (!m_form->Form_Load(&error)) {
        m_prompts.message(QStringLiteral("数据库文件无法打开：%1\n%2")
                              .arg(QDir(m_folder).filePath(RecordStore::databaseFileName()), error),
                          Captions::messageTitle(), MessageIcon::Information);
        return false;
    }
    m_signals = std::make_unique<TerminationSignals>();
    connect(m_signals.get(), &TerminationSignals::received, this, &ProgramRun::endOnRequest);
#if QT_CONFIG(sessionmanager)
    connect(qApp, &QGuiApplication::commitDataRequest, this, &ProgramRun::storeForSessionEnd);
#endif
    m_form->show();
    if (!m_form->store().canWrite())
        m_prompts.message(readOnlyText(), Captions::messageTitle(), MessageIcon::Information);
    return true;
}

// A folder that cannot hold the lock file (read-only) is no refusal: the database then says
// what it allows.
bool ProgramRun::takeFolder()
{
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError)
        return true;
    m_prompts.message(alreadyRunningText(), Captions::messageTitle(), MessageIcon::Information);
    return false;
}

// Open dialogs are closed first, so that the commands that opened them finish before the
// window ends.
void ProgramRun::endOnRequest()
{
    if (m_ending)
        return;
    if (QThread::currentThread()->loopLevel() > 1) {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        else if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QTimer::singleShot(50, this, &ProgramRun::endOnRequest);
        return;
    }
    m_ending = true;
    m_form->CommandEnd_Click();
    m_ending = false;
}

#if QT_CONFIG(sessionmanager)
// Stored now, the edit is safe whatever the session does next. When it cannot be stored, the
// user is told and ends the program without it, or the session's end is cancelled.
void ProgramRun::storeForSessionEnd(QSessionManager &session)
{
    if (m_form->store().storePending())
        return;
    bool ended = false;
    if (session.allowsInteraction()) {
        ended = m_form->CommandEnd_Click();
        session.release();
    }
    if (!ended)
        session.cancel();
}
#endif
