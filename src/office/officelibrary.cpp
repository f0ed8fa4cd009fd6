// The entry point of the office library (see OfficeLoader).
#include "libreofficesuite.h"
#include "officeloader.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) OfficeSuite *wobzel2011_createOfficeSuite()
{
    static_assert(
        std::is_same_v<decltype(wobzel2011_createOfficeSuite), CreateOfficeSuiteFunction>);
    try {
        return new LibreOfficeSuite();
    } catch (...) {
        return nullptr; // the loader reports it; nothing is thrown back into the program
    }
}
