#include "testhome.h"

#include <QDir>
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
} // namespace zelk::test
