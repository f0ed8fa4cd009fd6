#include "officeprocess.h"

#include "officeenvironment.h"
#include "officeprocess_p.h"
#include "officeprofile.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace std::chrono;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

const char *const kProgramDir = WOBZEL_LO_PROGRAM_DIR;
const int kRestartRequested = 81;

// The UNO environment of this process (type and service registries of the installed office),
// made once and kept for the life of the process.
Reference<css::uno::XComponentContext> localContext(QString *error)
{
    static std::mutex mutex;
    static Reference<css::uno::XComponentContext> *context = nullptr;
    static QString failure;
    std::lock_guard<std::mutex> lock(mutex);
    if (!context && failure.isEmpty()) {
        try {
            const QString program = QString::fromUtf8(kProgramDir);
            rtl::Bootstrap::set(OUString("URE_BOOTSTRAP"),
                                uno::toOU(QStringLiteral("vnd.sun.star.pathname:") + program +
                                          QStringLiteral("/fundamentalrc")));
            context = new Reference<css::uno::XComponentContext>(
                cppu::defaultBootstrap_InitialComponentContext(
                    uno::fileUrl(program + QStringLiteral("/unorc"))));
        } catch (const css::uno::Exception &e) {
            failure = uno::toQ(e.Message);
        } catch (const std::exception &e) {
            failure = QString::fromLocal8Bit(e.what());
        } catch (...) {
            failure = QStringLiteral("未知错误");
        }
    }
    if (!context && error)
        *error = failure;
    return context ? *context : Reference<css::uno::XComponentContext>();
}

// Blocks SIGPIPE in the calling thread for the life of the object, and so in the threads it
// starts meanwhile. The bridge writes to the office from threads of its own (its reader and
// writer, and the threads that run the office's calls back), all started while the bridge is
// made: they inherit the mask. A write to an office that has just ended then fails with EPIPE,
// which ends the bridge, instead of raising a signal that ends the program, whatever handler
// the program has for it: a signal blocked in the thread that raised it stays pending there
// and is never delivered. The program's own handler (or its default) stays as it is for its
// other threads; the process-wide disposition is not changed.
class SigpipeBlocked
{
public:
    SigpipeBlocked()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        m_blocked = ::pthread_sigmask(SIG_BLOCK, &pipe, &m_earlier) == 0;
    }
    ~SigpipeBlocked()
    {
        if (m_blocked)
            ::pthread_sigmask(SIG_SETMASK, &m_earlier, nullptr);
    }
    SigpipeBlocked(const SigpipeBlocked &) = delete;
    SigpipeBlocked &operator=(const SigpipeBlocked &) = delete;

private:
    sigset_t m_earlier;
    bool m_blocked = false;
};

class BridgeListener : public cppu::WeakImplHelper1<css::lang::XEventListener>
{
public:
    explicit BridgeListener(std::shared_ptr<std::atomic<bool>> gone) : m_gone(std::move(gone)) {}
    void SAL_CALL disposing(const css::lang::EventObject &) override { m_gone->store(true); }

private:
    std::shared_ptr<std::atomic<bool>> m_gone;
};

bool displayAvailable()
{
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        return false;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString uniquePipeName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("wobzel_%1_%2_%3")
        .arg(::getpid())
        .arg(++counter)
        .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0'));
}

} // namespace

bool OfficeProcess::Impl::childAlive()
{
    if (pid <= 0)
        return false;
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == 0)
        return true;
    if (r == pid || (r < 0 && errno == ECHILD)) {
        exitCode = (r == pid && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
        pid = 0;
    }
    return pid > 0;
}

QString OfficeProcess::Impl::logTail() const
{
    if (!profile)
        return QString();
    QFile log(profile->filePath(QStringLiteral("soffice.log")));
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray all = log.readAll();
    return QString::fromLocal8Bit(all.right(400)).trimmed();
}

// Profile folders are named after the program's process; a folder whose program has ended
// without removing it (a crash) is removed by the next start.
static void removeAbandonedProfiles()
{
    QDir temp(QDir::tempPath());
    const QStringList folders =
        temp.entryList({QStringLiteral("wobzel-office-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : folders) {
        bool ok = false;
        const pid_t owner = name.section(QLatin1Char('-'), 2, 2).toInt(&ok);
        if (ok && owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            QDir(temp.filePath(name)).removeRecursively();
    }
}

OfficeStatus OfficeProcess::Impl::makeProfile()
{
    removeAbandonedProfiles();
    profile = std::make_unique<QTemporaryDir>(
        QDir::tempPath() + QStringLiteral("/wobzel-office-%1-XXXXXX").arg(::getpid()));
    if (!profile->isValid())
        return {OfficeStatus::CannotStart,
                QStringLiteral("无法建立办公软件的临时配置文件夹：%1").arg(profile->errorString())};
    static const OfficeProfile::Installation installation =
        OfficeProfile::readInstallation(QString::fromUtf8(kProgramDir));
    return OfficeProfile::seed(profile->path(), installation);
}

OfficeStatus OfficeProcess::Impl::launch(const QString &pipeName)
{
    const QString program = QString::fromUtf8(kProgramDir) + QStringLiteral("/soffice.bin");
    if (::access(QFile::encodeName(program).constData(), X_OK) != 0)
        return {OfficeStatus::CannotStart,
                QStringLiteral("无法启动办公软件：%1 不存在或不能执行。").arg(program)};

    const QStringList arguments = {
        QStringLiteral("-env:UserInstallation=") + uno::toQ(uno::fileUrl(profile->path())),
        QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName),
        QStringLiteral("--norestore"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nodefault"),
        QStringLiteral("--nolockcheck"),
        headless ? QStringLiteral("--headless") : QStringLiteral("--invisible"),
    };
    std::vector<std::string> storage;
    storage.push_back(program.toStdString());
    for (const QString &a : arguments)
        storage.push_back(a.toStdString());
    std::vector<char *> argv;
    for (std::string &s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    // With a display, the office draws with its plain X11 toolkit: its windows then come up at
    // their full size with or without a window manager. An explicit choice in the environment
    // is kept.
    std::vector<std::string> environment;
    for (char **e = environ; *e; ++e)
        environment.emplace_back(*e);
    environment = officeEnvironment(environment);
    if (!headless && qEnvironmentVariableIsEmpty("SAL_USE_VCLPLUGIN") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        environment.emplace_back("SAL_USE_VCLPLUGIN=gen");
    std::vector<char *> envp;
    for (std::string &e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const QByteArray logPath = QFile::encodeName(profile->filePath(QStringLiteral("soffice.log")));
    const int logFd = ::open(logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int nullFd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls from here to exec.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the program
        if (::getppid() != parent)
            ::_exit(127);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::signal(SIGPIPE, SIG_DFL);
        if (nullFd >= 0)
            ::dup2(nullFd, 0);
        if (logFd >= 0) {
            ::dup2(logFd, 1);
            ::dup2(logFd, 2);
        }
        ::syscall(SYS_close_range, 3U, ~0U, 0U);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    const int forkError = errno;
    if (logFd >= 0)
        ::close(logFd);
    if (nullFd >= 0)
        ::close(nullFd);
    if (child < 0)
        return {OfficeStatus::CannotStart, QStringLiteral("无法启动办公软件：%1")
                                               .arg(QString::fromLocal8Bit(strerror(forkError)))};
    pid = child;
    exitCode = -1;
    return OfficeStatus::success();
}

OfficeStatus OfficeProcess::Impl::connect(const QString &pipeName)
{
    QString error;
    const Reference<css::uno::XComponentContext> local = localContext(&error);
    if (!local.is())
        return {OfficeStatus::CannotStart, QStringLiteral("无法建立 UNO 环境：%1").arg(error)};

    const auto deadline = steady_clock::now() + milliseconds(connectTimeoutMs);
    try {
        const Reference<css::connection::XConnector> connector =
            css::connection::Connector::create(local);
        const OUString description = uno::toOU(QStringLiteral("pipe,name=") + pipeName);
        Reference<css::connection::XConnection> connection;
        int restarts = 0;
        while (!connection.is()) {
            if (!childAlive()) {
                // The first start in a new profile ends asking to be started again.
                if (exitCode == kRestartRequested && ++restarts <= 3) {
                    const OfficeStatus relaunched = launch(pipeName);
                    if (!relaunched.ok())
                        return relaunched;
                    continue;
                }
                return {OfficeStatus::CannotStart,
                        QStringLiteral("办公软件启动后即退出（退出码 %1）。%2")
                            .arg(exitCode)
                            .arg(logTail())};
            }
            if (steady_clock::now() > deadline)
                return noAnswer();
            try {
                connection = connector->connect(description);
            } catch (const css::connection::NoConnectException &) {
                QThread::msleep(25);
            }
        }
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now());
        watchdog.arm(pid, std::max(left, milliseconds(1000)));
        Reference<css::bridge::XBridge> urp;
        {
            const SigpipeBlocked blocked;
            urp = css::bridge::BridgeFactory::create(local)->createBridge(
                OUString(), OUString("urp"), connection, nullptr);
        }
        bridge.set(urp, UNO_QUERY_THROW);
        bridgeGone = std::make_shared<std::atomic<bool>>(false);
        bridge->addEventListener(new BridgeListener(bridgeGone));
        context.set(urp->getInstance(OUString("StarOffice.ComponentContext")), UNO_QUERY_THROW);
        desktop = css::frame::Desktop::create(context);
        watchdog.disarm();
    } catch (const css::uno::Exception &e) {
        watchdog.disarm();
        if (watchdog.fired())
            return noAnswer();
        return {OfficeStatus::CannotStart,
                QStringLiteral("无法连接办公软件：%1").arg(uno::toQ(e.Message))};
    } catch (...) {
        watchdog.disarm();
        return watchdog.fired()
                   ? noAnswer()
                   : OfficeStatus(OfficeStatus::CannotStart, QStringLiteral("无法连接办公软件。"));
    }
    return OfficeStatus::success();
}

OfficeStatus OfficeProcess::Impl::noAnswer() const
{
    return {OfficeStatus::CannotStart, QStringLiteral("办公软件在 %1 秒内没有应答。%2")
                                           .arg(connectTimeoutMs / 1000)
                                           .arg(logTail())
                                           .trimmed()};
}

void OfficeProcess::Impl::endChild(milliseconds grace)
{
    const auto deadline = steady_clock::now() + grace;
    while (childAlive() && steady_clock::now() < deadline)
        QThread::msleep(20);
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = 0;
    }
}

OfficeProcess::OfficeProcess(Display display) : d(std::make_unique<Impl>())
{
    d->display = display;
    d->headless =
        display == Display::Headless || (display == Display::Automatic && !displayAvailable());
}

OfficeProcess::~OfficeProcess()
{
    stop();
}

OfficeStatus OfficeProcess::start()
{
    if (isRunning())
        return OfficeStatus::success();
    stop();
    const QString pipe = uniquePipeName();
    OfficeStatus status = d->makeProfile();
    if (status.ok())
        status = d->launch(pipe);
    if (status.ok())
        status = d->connect(pipe);
    if (!status.ok()) {
        stop();
        return status;
    }
    ++d->generation;
    d->basicScripts.clear();
    return status;
}

void OfficeProcess::stop()
{
    d->basicScripts.clear();
    // An office told to end gets a moment to do so; one that cannot be told is killed.
    milliseconds grace(0);
    if (d->desktop.is() && isRunning()) {
        grace = milliseconds(5000);
        d->watchdog.arm(d->pid, milliseconds(8000));
        try {
            // Drop every document first, so that ending the office asks nothing.
            const Reference<css::container::XEnumeration> documents =
                d->desktop->getComponents()->createEnumeration();
            while (documents->hasMoreElements()) {
                Reference<css::lang::XComponent> document(documents->nextElement(), UNO_QUERY);
                uno::closeQuietly(document);
            }
            d->desktop->terminate();
        } catch (...) {
            // Ending anyway below.
        }
        d->watchdog.disarm();
    }
    d->desktop.clear();
    d->context.clear();
    if (d->bridge.is()) {
        try {
            d->bridge->dispose();
        } catch (...) {
        }
        d->bridge.clear();
    }
    d->endChild(grace);
    d->profile.reset();
}

bool OfficeProcess::isRunning() const
{
    return d->childAlive() && d->desktop.is() && d->bridgeGone && !d->bridgeGone->load();
}

bool OfficeProcess::isHeadless() const
{
    return d->headless;
}

qint64 OfficeProcess::processId() const
{
    return d->childAlive() ? d->pid : 0;
}

int OfficeProcess::documentCount()
{
    if (!isRunning())
        return -1;
    int count = 0;
    const OfficeStatus status = uno::call(
        *this, QStringLiteral("统计文档"),
        [&]() {
            const Reference<css::container::XEnumeration> documents =
                d->desktop->getComponents()->createEnumeration();
            while (documents->hasMoreElements()) {
                documents->nextElement();
                ++count;
            }
            return OfficeStatus::success();
        },
        false);
    return status.ok() ? count : -1;
}

int OfficeProcess::generation() const
{
    return d->generation;
}

void OfficeProcess::setConnectTimeout(int milliseconds)
{
    d->connectTimeoutMs = milliseconds;
}

void OfficeProcess::setCallTimeout(int milliseconds)
{
    d->callTimeoutMs = milliseconds;
}

int OfficeProcess::callTimeout() const
{
    return d->callTimeoutMs;
}
