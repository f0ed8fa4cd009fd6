#pragma once

#include <QString>

// One running copy of the program per database: an exclusive flock() on the database file
// itself, held on a descriptor that stays open while the lock is held. Every link to the
// file, symbolic or hard, reaches the same lock; the system drops it when the descriptor
// closes or the process ends, however it ends, so no leftover ever blocks a start. The
// descriptor is closed on exec: the programs the program starts (the office) never hold it.
// flock() locks and SQLite's own POSIX record locks on the same file do not meet, and
// SQLite closing a descriptor of its own leaves this lock alone.
class DatabaseLock
{
public:
    enum class Outcome {
        Taken,
        HeldElsewhere, // another copy works on the database
        Unavailable,   // no descriptor of the file could be had, or the file system takes no
                       // lock: the program runs without one
    };

    DatabaseLock() = default;
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;

    // Takes the lock on the database file at `path`. A file that is missing is created empty
    // first (SQLite takes an empty file as a new database), where the folder allows it; a
    // file that may only be read is locked through a read-only descriptor.
    Outcome take(const QString &path);
    // Gives the lock up; nothing happens when none is held.
    void release();

private:
    int m_fd = -1;
};
