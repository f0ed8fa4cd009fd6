#pragma once

#include <QFile>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// A FIFO made at `path` for a test, with a watchdog: from `delay` on, until the FIFO object
// ends, the watchdog opens the FIFO's other end again and again. Code that wrongly waits in
// opening the FIFO then goes on (and its test fails) instead of hanging the test run.
class WatchedFifo
{
public:
    explicit WatchedFifo(const QString &path,
                         std::chrono::milliseconds delay = std::chrono::seconds(3))
        : m_path(QFile::encodeName(path)), m_made(::mkfifo(m_path.constData(), 0600) == 0)
    {
        m_watchdog = std::thread([this, delay] { watch(delay); });
    }
    ~WatchedFifo()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_ended = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
    }
    WatchedFifo(const WatchedFifo &) = delete;
    WatchedFifo &operator=(const WatchedFifo &) = delete;

    bool made() const { return m_made; }

private:
    void watch(std::chrono::milliseconds delay)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto ended = [this] { return m_ended; };
        if (m_wake.wait_for(lock, delay, ended))
            return;
        do { // read and write at once: never waits, and frees a reader waiting in its open
            const int fd = ::open(m_path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        } while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), ended));
    }

    QByteArray m_path;
    bool m_made;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_ended = false;
    std::thread m_watchdog;
};
