#include "smalldisk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace zelk::test {

namespace {
QString filler(const QString &folder)
{
    return folder + QStringLiteral("/.vulsel");
}
} // namespace

SmallDisk::SmallDisk(const QString &folder, const QByteArray &size) : m_folder(folder)
{
    if (geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting a small file system needs root");
        return;
    }
    const QByteArray options = "size=" + size + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_whyNot = QStringLiteral("mount failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool SmallDisk::fill()
{
    const int fd = ::open(QFile::encodeName(filler(m_folder)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    // Large blocks first, then ever smaller ones, until not even one byte fits.
    static const QByteArray block(64 * 1024, 'v');
    for (qsizetype size = block.size(); size >= 1; size /= 2) {
        ssize_t written = 0;
        while ((written = ::write(fd, block.constData(), size_t(size))) > 0) { }
        if (errno != ENOSPC) {
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    return true;
}

void SmallDisk::free()
{
    QFile::remove(filler(m_folder));
}

} // namespace zelk::test
