#pragma once

#include "officestatus.h"

#include <QString>

// A file the office writes: it is written under a temporary name in the target's folder and
// renamed over the target when complete, so a failure leaves no half-written file and keeps an
// existing one. A target that could not be replaced is refused before anything is written.
class SaveFile
{
public:
    explicit SaveFile(const QString &path);
    ~SaveFile();
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    OfficeStatus prepare();
    QString temporaryPath() const { return m_temporary; }
    OfficeStatus commit();

private:
    QString m_path;
    QString m_temporary;
    bool m_committed = false;
};
