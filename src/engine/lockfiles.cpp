#include "lockfiles.h"

#include <QThread>

namespace zelk::lockfiles {

namespace {
bool ownerUnreadable(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString program;
    return lock.error() == QLockFile::LockFailedError && !lock.getLockInfo(&pid, &host, &program);
}
} // namespace

bool take(QLockFile &lock, int timeoutMs)
{
    if (lock.tryLock(0))
        return true;
    if (ownerUnreadable(lock)) {
        // QLockFile writes the owner right after creating the file; an owner still missing
        // after this pause is never coming.
        QThread::msleep(200);
        if (lock.tryLock(0))
            return true;
        if (ownerUnreadable(lock))
            lock.removeStaleLockFile();
    }
    return lock.tryLock(timeoutMs);
}

} // namespace zelk::lockfiles
