#pragma once

#include "officesuite.h"

#include <QString>
#include <memory>

// How the program reaches the office programs: they live in a library of their own (it links
// the office's UNO libraries), opened on first use, so that the program starts and works
// without an office suite and only the office commands fail.
class OfficeLoader
{
public:
    static QString libraryFileName();
    // The office library: the one in the program's folder (the executable's), and no other,
    // so that a copy of the program never runs another build's office layer. Needs the
    // application object.
    static QString libraryPath();

    // The office programs of the library at `path` (a relative path is taken from the current
    // directory, never from the system's library paths). When the library, or a library it
    // needs, cannot be loaded, a suite whose office calls all fail with CannotStart and the
    // reason.
    // The library stays loaded for the rest of the run.
    static std::unique_ptr<OfficeSuite> createSuite(const QString &path = libraryPath());
};

// The one function the office library exports: a new suite, owned by the caller.
extern "C" {
using CreateOfficeSuiteFunction = OfficeSuite *();
}
inline constexpr char createOfficeSuiteSymbol[] = "wobzel2011_createOfficeSuite";
