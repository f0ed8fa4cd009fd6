#pragma once

// Inside the office layer only: UNO types and the helpers the layer's classes share. Nothing
// outside src/office includes this header.

#include "officeprocess.h"
#include "officestatus.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/task/ErrorCodeIOException.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ustring.hxx>

#include <QLoggingCategory>
#include <QString>
#include <functional>
#include <initializer_list>

namespace css = com::sun::star;
using rtl::OUString;

// What the office layer notes for the log: the office's own names of what it refused.
Q_DECLARE_LOGGING_CATEGORY(lcOffice)

namespace uno {

inline OUString toOU(const QString &text)
{
    return OUString(reinterpret_cast<const sal_Unicode *>(text.utf16()), text.size());
}

inline QString toQ(const OUString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getStr()), text.getLength());
}

// The file URL of a local path (made absolute).
OUString fileUrl(const QString &path);

css::beans::PropertyValue property(const char *name, const css::uno::Any &value);
css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> list);

// Load arguments for a document the office must open without any dialog: hidden unless
// `visible`, no macros, no link updates. `asTemplate` opens an untitled copy.
css::uno::Sequence<css::beans::PropertyValue> loadArguments(bool visible, bool asTemplate,
                                                            bool readOnly);

// Store arguments: the filter and replacing an existing file without a question.
css::uno::Sequence<css::beans::PropertyValue> storeArguments(const char *filterName);

// Closes a document without a question; a document already gone is fine.
void closeQuietly(const css::uno::Reference<css::lang::XComponent> &document);

// Closes every window of the office (its start window included) without a question.
void closeAllWindows(OfficeProcess &process);

// The component context of the running office's bridge (empty when none runs).
css::uno::Reference<css::uno::XComponentContext> context(OfficeProcess &process);

// The desktop of the running office (empty when none runs).
css::uno::Reference<css::frame::XDesktop2> desktop(OfficeProcess &process);

// Whether `e` is the bridge's own word that it has ended (the office ended, or its connection
// did): raised for every call made through it from then on, and for the calls it was waiting
// on.
bool fromEndedBridge(OfficeProcess &process, const css::uno::Exception &e);

// Runs `body` as one office call: starts the office first when `start` is set (otherwise a
// stopped office fails the call), arms the call timeout, and turns every exception into a
// failure status whose text begins with `what`. UNO exceptions never leave this function. A
// call that fails because the office ended (its bridge says so, or its process is gone) is
// OfficeStopped, with the office's own text in the log only; the office is then stopped, so
// that the next call starts a new one.
OfficeStatus call(OfficeProcess &process, const QString &what,
                  const std::function<OfficeStatus()> &body, bool start = true);

// The status of an office I/O failure on `path`: the office's error classes "not there",
// "access" and "locking" become FileNotFound and PermissionDenied.
OfficeStatus ioFailure(sal_Int32 errorCode, const OUString &message, const QString &what,
                       const QString &path);

// Runs `body`, turning the office's I/O failures on `path` into statuses (see ioFailure).
template <typename Body>
OfficeStatus mapIoErrors(const QString &what, const QString &path, Body body)
{
    try {
        return body();
    } catch (const css::task::ErrorCodeIOException &e) {
        return ioFailure(e.ErrCode, e.Message, what, path);
    } catch (const css::io::IOException &e) {
        return ioFailure(0, e.Message, what, path);
    } catch (const css::lang::IllegalArgumentException &e) {
        return ioFailure(0, e.Message, what, path);
    }
}

// Stores `document` with the office's filter `filterName` at `path`, replacing a file of that
// name, as one office call named `what`: written under a temporary name in the target's folder
// and renamed when complete (see SaveFile), so a failure leaves neither a part of the file nor
// the office's lock file behind, and keeps an earlier file. A store that the disk or the
// file system refuses says so in words, with the office's own text after them.
OfficeStatus storeAs(OfficeProcess &process,
                     const css::uno::Reference<css::lang::XComponent> &document,
                     const QString &path, const char *filterName, const QString &what);

} // namespace uno
