#include "writerlock.h"

#include "administraties.h"
#include "lockfiles.h"
#include "zelkerror.h"

#include <QDir>
#include <QSysInfo>
#include <map>

namespace zelk {

namespace {
// Per root (tests switch roots within one process), the lock this process holds there.
std::map<QString, std::weak_ptr<WriterLock>> &heldLocks()
{
    static std::map<QString, std::weak_ptr<WriterLock>> locks;
    return locks;
}

QString lockPath()
{
    return administraties::root() + QStringLiteral("/zelk.lock");
}

QString holderMessage(const QLockFile &file)
{
    qint64 pid = 0;
    QString host, program;
    if (!file.getLockInfo(&pid, &host, &program))
        return QStringLiteral("De administraties in %1 worden al bijgewerkt door een ander programma. "
                              "Sluit dat eerst; er is niets gewijzigd.")
            .arg(QDir::toNativeSeparators(administraties::root()));
    const QString where
        = host.isEmpty() || host == QSysInfo::machineHostName() ? QString() : QStringLiteral(" op de computer %1").arg(host);
    return QStringLiteral("De administraties in %1 worden al bijgewerkt door %2 (proces %3%4). "
                          "Er kan maar één programma tegelijk wijzigen: sluit dat eerst; er is niets gewijzigd.")
        .arg(QDir::toNativeSeparators(administraties::root()), program.isEmpty() ? QStringLiteral("een ander programma") : program)
        .arg(pid)
        .arg(where);
}
} // namespace

WriterLock::WriterLock(const QString &path) : m_file(path)
{
    // Never stale by age: a writer may stay open for days. A lock whose process is gone
    // is taken over, and so is one left empty by a process stopped while making it.
    m_file.setStaleLockTime(0);
}

WriterLock::~WriterLock()
{
    m_file.unlock();
}

std::shared_ptr<WriterLock> WriterLock::take(bool mustSucceed)
{
    if (auto held = heldLocks()[lockPath()].lock())
        return held;
    QDir().mkpath(administraties::root());
    auto lock = std::make_shared<WriterLock>(lockPath());
    if (!lockfiles::take(lock->m_file, 0)) {
        if (lock->m_file.error() != QLockFile::LockFailedError) {
            if (!mustSucceed)
                return nullptr; // a reader reads on without it
            throw Error(QStringLiteral("Het slotbestand %1 kan niet worden aangemaakt: de schijf is vol of de map is niet beschrijfbaar. "
                                       "Er is niets gewijzigd.")
                            .arg(QDir::toNativeSeparators(lockPath())));
        }
        if (!mustSucceed)
            return nullptr;
        throw Error(holderMessage(lock->m_file));
    }
    heldLocks()[lockPath()] = lock;
    return lock;
}

std::shared_ptr<WriterLock> WriterLock::acquire()
{
    return take(true);
}

std::shared_ptr<WriterLock> WriterLock::tryAcquire()
{
    return take(false);
}

bool WriterLock::heldHere()
{
    const auto it = heldLocks().find(lockPath());
    return it != heldLocks().end() && !it->second.expired();
}

} // namespace zelk
