#pragma once

#include "officestatus.h"

#include <QString>

// What a new private profile of the office holds before its first start. A brand-new profile
// costs the office a graphics self-test (the profile's last version differs from the installed
// one) and a restart (its extension folder belongs to no build); both are skipped when the
// profile states the installation's version and build. The profile also sets the office's
// interface language to Chinese (used where its Chinese language pack is installed).
class OfficeProfile
{
public:
    struct Installation
    {
        QString version; // "7.4": the installation's /org.openoffice.Setup/Product ooSetupVersion
        QString buildId; // "40(Build:2)": the buildid of program/versionrc
    };

    // Read from the office installation whose program folder is `programDir`; a value that
    // cannot be read stays empty.
    static Installation readInstallation(const QString &programDir);

    // Writes the seed into the profile folder `folder` (the UserInstallation). An empty value
    // is left out: the office then makes that part itself, slower.
    static OfficeStatus seed(const QString &folder, const Installation &installation);
};
