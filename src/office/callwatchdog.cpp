#include "officeprocess_p.h"

#include <csignal>

using namespace std::chrono;

CallWatchdog::CallWatchdog() : m_thread([this] { run(); }) {}

CallWatchdog::~CallWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CallWatchdog::arm(pid_t pid, milliseconds timeout)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_armed = true;
        m_pid = pid;
        m_deadline = steady_clock::now() + timeout;
        m_fired = false;
    }
    m_wake.notify_all();
}

void CallWatchdog::disarm()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_armed = false;
}

void CallWatchdog::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed) {
            m_wake.wait(lock);
            continue;
        }
        if (steady_clock::now() < m_deadline) {
            m_wake.wait_until(lock, m_deadline);
            continue;
        }
        if (m_pid > 0)
            ::kill(m_pid, SIGKILL);
        m_fired = true;
        m_armed = false;
    }
}

OfficeCallScope::OfficeCallScope(OfficeProcess::Impl &impl) : m_impl(impl)
{
    if (m_impl.callDepth++ == 0)
        m_impl.watchdog.arm(m_impl.pid, milliseconds(m_impl.callTimeoutMs));
}

OfficeCallScope::~OfficeCallScope()
{
    if (--m_impl.callDepth == 0)
        m_impl.watchdog.disarm();
}
