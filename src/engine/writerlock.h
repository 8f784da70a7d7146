#pragma once
// One writer per administrations root. The desktop program and every zelk-cli command
// that changes something hold this lock while they work; a second writer is refused with
// a Dutch message naming the holder, before it changes anything. Readers need no lock.
// The lock is a file in the root (QLockFile): one left by a process that died is taken over.
#include <QLockFile>
#include <memory>

namespace zelk {

class WriterLock {
public:
    // The lock for this process, shared by every holder in it (a screen's data module and
    // a test's second module are one writer). Throws zelk::Error when another process holds it.
    static std::shared_ptr<WriterLock> acquire();
    // As acquire, but returns null instead of throwing when another process holds it.
    static std::shared_ptr<WriterLock> tryAcquire();
    // Whether this process holds the lock now.
    static bool heldHere();

    explicit WriterLock(const QString &path);
    ~WriterLock();
    WriterLock(const WriterLock &) = delete;
    WriterLock &operator=(const WriterLock &) = delete;

private:
    static std::shared_ptr<WriterLock> take(bool mustSucceed);
    QLockFile m_file;
};

} // namespace zelk
