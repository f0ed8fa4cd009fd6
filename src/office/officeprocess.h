#pragma once

#include "officestatus.h"

#include <QString>
#include <memory>

// The program's own office process: one private LibreOffice, started on first use with a
// profile folder and a pipe of its own (so it never meets a user's office or another run; the
// profile is seeded so that its first start is a quick one, see OfficeProfile),
// reached through the UNO bridge and ended with this object. Without a display it runs
// headless; with one it runs invisible, so that a document can be shown on request.
//
// Every office call runs on the thread that owns this object. A call that does not come back
// within the call timeout (30 s) ends the office, and the call fails; the next use starts it
// again. A start gives up after the connect timeout (20 s).
class OfficeProcess
{
public:
    enum class Display { Automatic, Headless, Invisible };

    explicit OfficeProcess(Display display = Display::Automatic);
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess &) = delete;
    OfficeProcess &operator=(const OfficeProcess &) = delete;

    // Starts the office and connects to it, unless it runs already. CannotStart, with the
    // reason, when it cannot be started or reached within the connect timeout.
    OfficeStatus start();
    // Ends the office: its documents are dropped without a question, the process is gone and
    // its profile folder removed when this returns.
    void stop();

    bool isRunning() const;
    bool isHeadless() const;
    // The process id of the running office, 0 when none runs.
    qint64 processId() const;
    // The number of documents the office holds (whoever opened them); -1 when none runs.
    int documentCount();
    // Counts the starts: documents of an earlier generation are gone.
    int generation() const;

    void setConnectTimeout(int milliseconds);
    void setCallTimeout(int milliseconds);
    int callTimeout() const;

    struct Impl;
    Impl &impl() const { return *d; }

private:
    std::unique_ptr<Impl> d;
};
