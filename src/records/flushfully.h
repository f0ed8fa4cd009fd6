#pragma once

class QFileDevice;

// Writes out what `file` still holds in its buffer. A disk may take a write in part only: the
// rest is written again while the disk takes more, so that a disk that takes no more leaves
// the file system's reason in the file's error string (a single flush that is taken in part
// fails with no reason at all).
bool flushFully(QFileDevice &file);
