#include "programrun.h"

#include "captions.h"
#include "failure.h"
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
    : m_folder(folder), m_prompts(prompts), m_form(std::make_unique<FormMain>(folder, prompts))
{
}

ProgramRun::~ProgramRun() = default;

bool ProgramRun::start()
{
    if (!takeDatabase())
        return false;
    QString error;
    if (!m_form->Form_Load(&error)) {
        tellFailure(m_prompts, QStringLiteral("数据库文件无法打开：") + databasePath(),
                    Captions::messageTitle(), error);
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

QString ProgramRun::databasePath() const
{
    return QDir(m_folder).filePath(RecordStore::databaseFileName());
}

// A database that cannot be locked at all (no file can be opened there) is no refusal: the
// store then says what it allows.
bool ProgramRun::takeDatabase()
{
    if (m_lock.take(databasePath()) != DatabaseLock::Outcome::HeldElsewhere)
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
    // A dialog open before the window's own loop runs (the start-up notice) counts too.
    if (QThread::currentThread()->loopLevel() > 1 || QApplication::activeModalWidget()) {
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
