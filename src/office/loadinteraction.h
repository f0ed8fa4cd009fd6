#pragma once

// Inside the office layer only.

#include "unosupport.h"

#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

// Answers the office's questions while it loads a document, as it answers them itself when
// nobody is there to ask (warnings approved, the detected filter and its default options kept,
// anything else aborted), and notes whether it asked for a password: a load that failed then
// failed for that. What it was asked goes into the log.
class QuietLoadInteraction : public cppu::WeakImplHelper1<css::task::XInteractionHandler>
{
public:
    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest> &request) override;

    bool passwordAsked() const { return m_passwordAsked; }

private:
    bool m_passwordAsked = false;
};

// Loads `url` in the running office with `arguments`, its questions answered by a
// QuietLoadInteraction. `passwordAsked` tells whether the office asked for a password: a load
// that failed after that gives no document instead of the loader's exception; any other
// failure throws as the loader does.
css::uno::Reference<css::lang::XComponent>
loadQuietly(OfficeProcess &process, const OUString &url,
            css::uno::Sequence<css::beans::PropertyValue> arguments, bool *passwordAsked);
