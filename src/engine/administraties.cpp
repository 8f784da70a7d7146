#include "administraties.h"

#include "filesave.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace zelk::administraties {

QString root()
{
    const QString home = qEnvironmentVariable("ZELK_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/zelk"));
}

QString folderName(int item)
{
    return item <= 0 ? QStringLiteral("zelk") : QStringLiteral("zelk0%1").arg(item);
}

QString folder(int item)
{
    return root() + u'/' + folderName(item);
}

QString caption(int item)
{
    return item <= 0 ? QStringLiteral("Zelk (standaard)") : QStringLiteral("Zelk0%1").arg(item);
}

int itemOf(const QString &werkmap)
{
    QString path = werkmap;
    while (path.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    if (path.isEmpty())
        return -1;
    const QChar last = path.back();
    if (last >= u'1' && last <= u'4')
        return last.digitValue();
    if (last == QStringLiteral("zelk").back())
        return 0;
    return -1;
}

QString aliasFile()
{
    return root() + QStringLiteral("/zelk.cfg");
}

bool aliasExists()
{
    return QFile::exists(aliasFile());
}

namespace {
QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// `path` relative to `base` when it lies inside it, otherwise an empty string.
QString inside(const QString &base, const QString &path)
{
    const QString prefix = base.endsWith(u'/') ? base : base + u'/';
    return path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
}

// The folder an alias value stands for, relative to the root; empty when it lies outside.
QString relativeToRoot(const QString &value)
{
    QString relative;
    if (QDir::isAbsolutePath(value)) {
        const QString path = QDir::cleanPath(value);
        relative = inside(root(), path);
        if (relative.isEmpty()) {
            // The same folder reached along another way, e.g. through a link to the root.
            const QString canonicalRoot = QFileInfo(root()).canonicalFilePath();
            const QString canonical = QFileInfo(path).canonicalFilePath();
            if (!canonicalRoot.isEmpty() && !canonical.isEmpty())
                relative = inside(canonicalRoot, canonical);
        }
    } else {
        relative = QDir::cleanPath(value);
    }
    if (relative.isEmpty() || relative == u"." || relative == u".." || relative.startsWith(QStringLiteral("../")))
        return {};
    return relative;
}
} // namespace

QString aliasFolder(QString *problem)
{
    const auto fail = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return QString();
    };
    const QFileInfo info(aliasFile());
    if (!info.exists())
        return fail(QStringLiteral("Het bestand %1 ontbreekt.").arg(shown(aliasFile())));
    if (!info.isFile()) // a named pipe or device would never give an answer
        return fail(QStringLiteral("Het bestand %1 is geen gewoon bestand en wordt niet gelezen.").arg(shown(aliasFile())));
    QFile file(aliasFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(shown(aliasFile())));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.startsWith(QStringLiteral("PATH="), Qt::CaseInsensitive))
            continue;
        const QString value = line.mid(5).trimmed();
        if (value.isEmpty())
            break;
        const QString relative = relativeToRoot(value);
        if (relative.isEmpty())
            return fail(QStringLiteral("Het bestand %1 wijst naar %2, buiten de map %3 met de administraties; "
                                       "daar wordt niet geboekt.")
                            .arg(shown(aliasFile()), shown(value), shown(root())));
        return QDir::cleanPath(root() + u'/' + relative);
    }
    return fail(QStringLiteral("Het bestand %1 noemt geen administratie (de regel PATH= ontbreekt).").arg(shown(aliasFile())));
}

void setAliasPath(const QString &folder)
{
    const QString relative = inside(root(), QDir::cleanPath(QDir(folder).absolutePath()));
    if (relativeToRoot(relative).isEmpty())
        throw Error(QStringLiteral("De administratie %1 ligt niet in de map %2.").arg(shown(folder), shown(root())));
    if (!QDir().mkpath(root()))
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(shown(root())));
    saveFile(aliasFile(), "PATH=" + relative.toUtf8() + '\n');
}

Opening openCurrent()
{
    removeLeftovers();
    if (!aliasExists()) { // the first start
        ensureAdministration(folder(0));
        setAliasPath(folder(0));
        return {folder(0), {}};
    }
    QString problem;
    const QString named = aliasFolder(&problem);
    if (!named.isEmpty() && QFileInfo(named).isDir()) {
        ensureAdministration(named);
        return {named, {}};
    }
    if (!named.isEmpty())
        problem = QStringLiteral("De administratie %1, die het bestand %2 noemt, is er niet (meer).").arg(shown(named), shown(aliasFile()));
    // Never a new, empty administration where the alias points: the standard one is used.
    const bool standardMissing = !QFileInfo(folder(0)).isDir();
    ensureAdministration(folder(0));
    QString notice = problem + QStringLiteral(" Daarom wordt de standaardadministratie %1 gebruikt").arg(shown(folder(0)));
    notice += standardMissing ? QStringLiteral(", die nu nieuw en leeg is aangemaakt.") : QStringLiteral(".");
    return {folder(0), notice};
}

void choose(int item)
{
    ensureAdministration(folder(item));
    setAliasPath(folder(item));
}

} // namespace zelk::administraties

#include <QCoreApplication>
#include <QFileInfo>

namespace zelk::administraties {
QString programBase()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return program.absolutePath() + u'/' + program.completeBaseName();
}
} // namespace zelk::administraties
