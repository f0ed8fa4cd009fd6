#include "unosupport.h"

#include "officeprocess_p.h"
#include "savefile.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/exc_hlp.hxx>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QUrl>

using css::uno::Reference;
using css::uno::UNO_QUERY;

Q_LOGGING_CATEGORY(lcOffice, "wobzel2011.office")

namespace uno {

OUString fileUrl(const QString &path)
{
    return toOU(
        QString::fromUtf8(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded()));
}

css::beans::PropertyValue property(const char *name, const css::uno::Any &value)
{
    css::beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> list)
{
    return css::uno::Sequence<css::beans::PropertyValue>(list.begin(), sal_Int32(list.size()));
}

css::uno::Sequence<css::beans::PropertyValue> loadArguments(bool visible, bool asTemplate,
                                                            bool readOnly)
{
    return properties({
        property("Hidden", css::uno::Any(!visible)),
        property("AsTemplate", css::uno::Any(asTemplate)),
        property("ReadOnly", css::uno::Any(readOnly)),
        property("MacroExecutionMode", css::uno::Any(css::document::MacroExecMode::NEVER_EXECUTE)),
        property("UpdateDocMode", css::uno::Any(css::document::UpdateDocMode::NO_UPDATE)),
    });
}

css::uno::Sequence<css::beans::PropertyValue> storeArguments(const char *filterName)
{
    return properties({
        property("FilterName", css::uno::Any(OUString::createFromAscii(filterName))),
        property("Overwrite", css::uno::Any(true)),
    });
}

void closeQuietly(const Reference<css::lang::XComponent> &document)
{
    if (!document.is())
        return;
    try {
        Reference<css::util::XModifiable> modifiable(document, UNO_QUERY);
        if (modifiable.is())
            modifiable->setModified(false);
        Reference<css::util::XCloseable> closeable(document, UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
        else
            document->dispose();
    } catch (const css::util::CloseVetoException &) {
        try {
            document->dispose();
        } catch (...) {
        }
    } catch (...) {
        // Already gone.
    }
}

void closeAllWindows(OfficeProcess &process)
{
    const Reference<css::frame::XDesktop2> office = desktop(process);
    if (!office.is())
        return;
    const Reference<css::container::XIndexAccess> frames(office->getFrames(), UNO_QUERY);
    if (!frames.is())
        return;
    for (sal_Int32 i = frames->getCount() - 1; i >= 0; --i) {
        try {
            const Reference<css::util::XCloseable> frame(frames->getByIndex(i), UNO_QUERY);
            if (frame.is())
                frame->close(true);
        } catch (...) {
            // Gone already, or refusing: the office ends with the program anyway.
        }
    }
}

Reference<css::uno::XComponentContext> context(OfficeProcess &process)
{
    return process.impl().context;
}

Reference<css::frame::XDesktop2> desktop(OfficeProcess &process)
{
    return process.impl().desktop;
}

bool fromEndedBridge(OfficeProcess &process, const css::uno::Exception &e)
{
    const Reference<css::lang::XComponent> bridge = process.impl().bridge;
    return bridge.is() && e.Context.is() && e.Context == bridge;
}

OfficeStatus call(OfficeProcess &process, const QString &what,
                  const std::function<OfficeStatus()> &body, bool start)
{
    // The bridge of the office the call's objects may come from: when that office has ended
    // and is started again here, they fail with the word of its bridge.
    const Reference<css::lang::XComponent> earlierBridge = process.impl().bridge;
    if (start) {
        const OfficeStatus started = process.start();
        if (!started.ok())
            return started;
    } else if (!process.isRunning()) {
        return {OfficeStatus::OfficeStopped,
                QStringLiteral("%1失败：办公软件没有运行。").arg(what)};
    }
    OfficeCallScope scope(process.impl());
    QString reason;
    bool bridgeEnded = false;
    bool earlierEnded = false;
    try {
        return body();
    } catch (const css::uno::Exception &e) {
        // An exception without a message is told by its type.
        reason = e.Message.isEmpty() ? toQ(cppu::getCaughtException().getValueTypeName())
                                     : toQ(e.Message);
        bridgeEnded = fromEndedBridge(process, e);
        earlierEnded = earlierBridge.is() && earlierBridge != process.impl().bridge &&
                       e.Context.is() && e.Context == earlierBridge;
    } catch (const std::exception &e) {
        reason = QString::fromLocal8Bit(e.what());
    } catch (...) {
        reason = QStringLiteral("未知错误");
    }
    if (scope.timedOut()) {
        process.stop(); // what is left of the ended office goes too
        return {OfficeStatus::OfficeStopped,
                QStringLiteral("%1失败：办公软件在 %2 秒内没有响应，已被终止。")
                    .arg(what)
                    .arg(process.callTimeout() / 1000)};
    }
    // The bridge says so first when the office ends: its process may not have been reaped
    // yet, nor the bridge's listeners told. The call failed because the office ended, whatever
    // the exception says.
    const bool ended = bridgeEnded || !process.isRunning();
    if (ended || earlierEnded) {
        qCInfo(lcOffice).noquote() << what << "failed, the office has ended:" << reason;
        if (ended) {
            process.impl().markBridgeGone();
            process.stop(); // what is left of the ended office goes too
        }
        return {OfficeStatus::OfficeStopped, QStringLiteral("%1失败：办公软件已退出。").arg(what)};
    }
    return OfficeStatus::failure(QStringLiteral("%1失败：%2").arg(what, reason));
}

OfficeStatus ioFailure(sal_Int32 errorCode, const OUString &message, const QString &what,
                       const QString &path)
{
    // The office's error codes keep the class in bits 8..12: 3 "does not exist",
    // 5 "access denied", 7 "locking".
    const int errorClass = (errorCode >> 8) & 0x1f;
    if (errorClass == 3)
        return OfficeStatus::fileNotFound(path);
    if (errorClass == 5 || errorClass == 7)
        return OfficeStatus::permissionDenied(path);
    const QString reason = message.isEmpty()
                               ? QStringLiteral("文件读写错误（代码 0x%1）").arg(errorCode, 0, 16)
                               : toQ(message);
    return OfficeStatus::failure(QStringLiteral("%1失败：%2").arg(what, reason));
}

namespace {

// What the office leaves beside a file it stores: its lock file ".~lock.NAME#" and, when it
// ends in the middle, the temporary files "lu….tmp" it writes the file into.
QStringList officeTemporaries(const QDir &folder)
{
    return folder.entryList({QStringLiteral("lu*.tmp")}, QDir::Files | QDir::Hidden);
}

void removeLeftovers(const QString &path, const QStringList &temporariesBefore)
{
    const QFileInfo file(path);
    const QDir folder = file.dir();
    const QFileInfo lock(folder.filePath(QStringLiteral(".~lock.%1#").arg(file.fileName())));
    if (lock.isFile())
        QFile::remove(lock.filePath());
    for (const QString &name : officeTemporaries(folder)) {
        if (!temporariesBefore.contains(name))
            QFile::remove(folder.filePath(name));
    }
}

// A store that failed in the office's file handling: the disk is full, or the file system does
// not take the file.
OfficeStatus writeFailure(const OfficeStatus &status, const QString &what, const QString &path)
{
    if (status.number() != OfficeStatus::OtherFailure)
        return status;
    QString officeText = status.text();
    officeText.remove(0,
                      officeText.startsWith(what + QStringLiteral("失败：")) ? what.size() + 3 : 0);
    constexpr qint64 kNearlyFull = 1024 * 1024;
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    const QString words =
        disk.isValid() && disk.bytesAvailable() < kNearlyFull
            ? QStringLiteral("磁盘已满，文件无法写入")
            : QStringLiteral("文件无法写入（磁盘已满、文件过大或文件系统拒绝写入）");
    return OfficeStatus::failure(
        QStringLiteral("%1失败：%2。办公软件的说明：%3").arg(what, words, officeText));
}

} // namespace

OfficeStatus storeAs(OfficeProcess &process, const Reference<css::lang::XComponent> &document,
                     const QString &path, const char *filterName, const QString &what)
{
    SaveFile target(path);
    OfficeStatus status = target.prepare();
    if (!status.ok())
        return status;
    const QStringList temporaries = officeTemporaries(QFileInfo(target.temporaryPath()).dir());
    status = call(process, what, [&]() {
        return mapIoErrors(what, path, [&] {
            const Reference<css::frame::XStorable> storable(document, css::uno::UNO_QUERY_THROW);
            storable->storeToURL(fileUrl(target.temporaryPath()), storeArguments(filterName));
            return OfficeStatus::success();
        });
    });
    if (status.ok())
        return target.commit();
    removeLeftovers(target.temporaryPath(), temporaries);
    // An office that a file past its size limit ends may still answer the store's failure
    // first: the office is asked once more, and an office that has ended is told as such.
    if (status.number() == OfficeStatus::OtherFailure) {
        const OfficeStatus answers = call(
            process, what,
            [&]() {
                desktop(process)->getFrames();
                return OfficeStatus::success();
            },
            false);
        if (answers.number() == OfficeStatus::OfficeStopped) {
            qCInfo(lcOffice).noquote() << what << "failed as the office ended:" << status.text();
            process.stop();
            return {OfficeStatus::OfficeStopped,
                    QStringLiteral("%1失败：办公软件已退出。").arg(what)};
        }
    }
    return writeFailure(status, what, path);
}

} // namespace uno
