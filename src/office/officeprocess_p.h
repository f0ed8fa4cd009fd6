#pragma once

// Inside the office layer only: the state of the office process and the call watchdog.

#include "unosupport.h"

#include <com/sun/star/script/provider/XScript.hpp>

#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <sys/types.h>
#include <thread>

// Ends the office when a call outlives its deadline: a hung bridge call then fails instead of
// waiting for ever. One thread per office process, idle while no call is armed.
class CallWatchdog
{
public:
    CallWatchdog();
    ~CallWatchdog();

    void arm(pid_t pid, std::chrono::milliseconds timeout);
    void disarm();
    // True when the watchdog ended the office since the last arm().
    bool fired() const { return m_fired.load(); }

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_stopping = false;
    bool m_armed = false;
    pid_t m_pid = 0;
    std::chrono::steady_clock::time_point m_deadline;
    std::atomic<bool> m_fired{false};
};

struct OfficeProcess::Impl
{
    OfficeProcess::Display display = OfficeProcess::Display::Automatic;
    bool headless = true;
    int connectTimeoutMs = 20000;
    int callTimeoutMs = 30000;
    int generation = 0;
    int callDepth = 0;

    pid_t pid = 0;
    int exitCode = -1; // of the last process, once ended
    std::unique_ptr<QTemporaryDir> profile;
    css::uno::Reference<css::lang::XComponent> bridge;
    std::shared_ptr<std::atomic<bool>> bridgeGone;
    css::uno::Reference<css::uno::XComponentContext> context;
    css::uno::Reference<css::frame::XDesktop2> desktop;
    CallWatchdog watchdog;
    // The Basic routines set up in this start's profile, by their script address.
    std::map<OUString, css::uno::Reference<css::script::provider::XScript>> basicScripts;

    bool childAlive();
    // The bridge has ended: the office is no longer running, whether or not its listeners
    // have been told yet.
    void markBridgeGone()
    {
        if (bridgeGone)
            bridgeGone->store(true);
    }
    OfficeStatus makeProfile();
    OfficeStatus launch(const QString &pipeName);
    OfficeStatus connect(const QString &pipeName);
    void endChild(std::chrono::milliseconds grace);
    QString logTail() const;
    // The failure of a start that had no answer within the connect timeout.
    OfficeStatus noAnswer() const;
};

// Arms the watchdog for the outermost office call of the layer.
class OfficeCallScope
{
public:
    explicit OfficeCallScope(OfficeProcess::Impl &impl);
    ~OfficeCallScope();
    bool timedOut() const { return m_impl.watchdog.fired(); }

private:
    OfficeProcess::Impl &m_impl;
};
