#pragma once

// Inside the office layer only.

#include "unosupport.h"

#include <com/sun/star/script/provider/XScript.hpp>

// A Basic routine that runs inside the office: one bridge call does the work of hundreds.
// Its module lives in an application library of the run's private profile, set up on the first
// call of each office start (a restarted office has a fresh profile) and kept by the office
// process for the rest of the start.
class BasicRoutine
{
public:
    // `library` and `module` name where `source` goes; `function` is the routine to call.
    BasicRoutine(const char *library, const char *module, const char *function, const char *source);

    // Calls the routine with `arguments`; to be used inside uno::call (it throws UNO
    // exceptions).
    css::uno::Any invoke(OfficeProcess &process,
                         const css::uno::Sequence<css::uno::Any> &arguments) const;

private:
    css::uno::Reference<css::script::provider::XScript> setUp(OfficeProcess &process) const;

    const char *m_library;
    const char *m_module;
    const char *m_function;
    const char *m_source;
};
