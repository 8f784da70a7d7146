#include "filesave.h"

#include "zelkerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelk {

bool syncToDisk(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
#else
    return true;
#endif
}

QString saveFailedMessage(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("Het bestand %1 kan niet worden opgeslagen: de map %2 bestaat niet.")
            .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(folder));
    return QStringLiteral("Het bestand %1 kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar.")
        .arg(QDir::toNativeSeparators(path));
}

void saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered: a write that does not fit fails at once instead of at a final flush,
    // whose failure QSaveFile::commit() does not always notice.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    ok = ok && file.write(bytes) == bytes.size();
    ok = ok && file.flush() && file.error() == QFileDevice::NoError && file.size() == bytes.size();
#ifdef Q_OS_UNIX
    // Some file systems (network drives, quotas) report a full disk only when the data
    // reaches it; commit() ignores a failing sync, so it is checked here.
    ok = ok && ::fsync(file.handle()) == 0;
#endif
    if (!ok) {
        file.cancelWriting();
        throw Error(saveFailedMessage(path));
    }
    if (!file.commit())
        throw Error(saveFailedMessage(path));
}

} // namespace zelk
