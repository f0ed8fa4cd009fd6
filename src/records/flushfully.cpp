#include "flushfully.h"

#include <QFileDevice>

bool flushFully(QFileDevice &file)
{
    qint64 waiting = file.bytesToWrite();
    while (!file.flush()) {
        const qint64 left = file.bytesToWrite();
        if (left == 0 || left >= waiting)
            return false;
        waiting = left;
    }
    return true;
}
