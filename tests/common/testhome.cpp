#include "testhome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPixmap>
#include <QWidget>

namespace zelk::test {

TestHome::TestHome() : m_previous(qgetenv("ZELK_HOME"))
{
    qputenv("ZELK_HOME", m_dir.path().toUtf8());
}

TestHome::~TestHome()
{
    if (m_previous.isEmpty())
        qunsetenv("ZELK_HOME");
    else
        qputenv("ZELK_HOME", m_previous);
}

QString TestHome::administration(int item) const
{
    return QDir(path()).filePath(item == 0 ? QStringLiteral("zelk") : QStringLiteral("zelk0%1").arg(item));
}

} // namespace zelk::test

namespace zelk::test {
void saveScreenshot(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZELK_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
QStringList filesHolding(const QString &folder, const QString &text)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        if (bytes.contains(text.toUtf8()) || bytes.contains(utf16))
            found << file.fileName();
    }
    return found;
}

} // namespace zelk::test
