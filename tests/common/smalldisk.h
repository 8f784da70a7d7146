#pragma once
// A small file system that really fills up: a size-limited tmpfs mounted over a folder
// for the length of one test (root only; usable() is false where mounting is not
// allowed, and the test skips). fill() writes a filler file until the disk is full;
// free() removes it again. The file system is unmounted when the object goes.
#include <QString>

namespace zelk::test {

class SmallDisk {
public:
    // Mounts a tmpfs of `size` (as mount(8) takes it, e.g. "4m") over the existing
    // folder `folder`, hiding what is in it.
    SmallDisk(const QString &folder, const QByteArray &size = "4m");
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool usable() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    // Fills the disk to the last byte; returns false when it could not be filled.
    bool fill();
    void free();

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_whyNot;
};

} // namespace zelk::test
