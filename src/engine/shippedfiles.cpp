#include "shippedfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zelk::shippedfiles {

namespace {

const QString manualName = QStringLiteral("handleiding.html");

// The installed copy of `name`, or an empty string.
QString installedFile(const QString &name)
{
    if (!QCoreApplication::instance())
        return {};
    const QDir data(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelk"));
    const QFileInfo installed(data.filePath(name));
    return installed.isFile() && installed.isReadable() ? installed.absoluteFilePath() : QString();
}

} // namespace

QString find(const QString &name, const QString &resource)
{
    const QString installed = installedFile(name);
    return installed.isEmpty() ? resource : installed;
}

bool installed()
{
    return !installedFile(manualName).isEmpty();
}

QString manual()
{
    return find(manualName, QStringLiteral(":/zelk/manual/handleiding.html"));
}

QString defaultLogo()
{
    return find(QStringLiteral("lidbedraglogo.jpg"), QStringLiteral(":/zelk/lidbedraglogo.jpg"));
}

} // namespace zelk::shippedfiles
