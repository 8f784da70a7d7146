// Creating and completing administration folders. A new administration is built whole in
// a folder beside it in the root and renamed into place in one step, so that a program
// stopped at any moment leaves either no administration or a complete one.
#include "administraties.h"

#include "filesave.h"
#include "lockfiles.h"
#include "rekeningschema.h"
#include "settingsfiles.h"
#include "shippedfiles.h"
#include "store/connection.h"
#include "store/sqlite.h"
#include "store/tableschema.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>

namespace zelk::administraties {

namespace {
// A folder being built is named after its administration with this in front; its lock
// file is the same name with ".lock" behind it.
const QString buildingPrefix = QStringLiteral(".nieuw-");
// A lock whose program is gone is free at once; one of a running program after this time.
constexpr int staleLockMs = 10 * 60 * 1000;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void createBaseAccounts(const QString &path)
{
    sql::DatabaseHandle db = sql::openFile(path, false);
    sql::exec(db.get(), QStringLiteral("BEGIN"));
    sql::Statement insert(db.get(), QStringLiteral("INSERT INTO \"rekeningen\" (\"Naam\", \"Saldo\") VALUES (?, 0)"));
    for (int position = 1; position <= 25; ++position) {
        insert.bind(1, rekeningschema::nieuweNaam(position));
        insert.run(QStringLiteral("Aanmaken van het rekeningschema"));
        insert.reset();
    }
    sql::exec(db.get(), QStringLiteral("COMMIT"));
}

QByteArray defaultLogo()
{
    QFile logo(shippedfiles::defaultLogo());
    return logo.open(QIODevice::ReadOnly) ? logo.readAll() : QByteArray();
}

// An administration whose logo was removed gets the default one back when that can be
// saved; a report without its logo still prints, so a failure here stops nothing.
void restoreDefaultLogo(const QString &folder)
{
    const QString target = settingsfiles::defaultLogoPath(folder);
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return;
    try {
        saveFile(target, defaultLogo());
    } catch (const Error &) {
    }
}

bool takeLock(QLockFile &lock, int timeoutMs)
{
    lock.setStaleLockTime(staleLockMs);
    return lockfiles::take(lock, timeoutMs);
}

// The folder, inside the root, in which tables for the administration `target` are built
// before they are moved into place; locked, so that no other program builds there or
// clears it at the same time. Whatever is left in it is removed when it goes.
class Workshop {
public:
    explicit Workshop(const QString &target)
        : m_path(root() + u'/' + buildingPrefix + QFileInfo(target).fileName()), m_lock(m_path + QStringLiteral(".lock"))
    {
        if (!takeLock(m_lock, 30000))
            throw Error(QStringLiteral("De administratie %1 wordt al door een ander programma aangemaakt.").arg(shown(target)));
        QDir(m_path).removeRecursively(); // left by a program that was stopped while building
        if (!QDir().mkdir(m_path))
            throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(shown(m_path)));
    }
    ~Workshop() { QDir(m_path).removeRecursively(); }
    Workshop(const Workshop &) = delete;
    Workshop &operator=(const Workshop &) = delete;

    const QString &path() const { return m_path; }

    // Creates the table files of `tables` here; a new chart gets the 25 base accounts.
    void build(const QList<const TableSchema *> &tables) const
    {
        const QDir dir(m_path);
        for (const TableSchema *table : tables) {
            createTableFile(dir.filePath(table->fileName), *table);
            if (table == &schemas::rekeningen())
                createBaseAccounts(dir.filePath(table->fileName));
        }
    }

private:
    QString m_path;
    QLockFile m_lock;
};

void requireRootParent(const QString &target)
{
    if (QFileInfo(target).absolutePath() != root())
        throw Error(QStringLiteral("Een nieuwe administratie hoort in de map %1; in %2 wordt er geen aangemaakt.")
                        .arg(shown(root()), shown(target)));
}

// Builds a whole administration and renames it into place in one step.
void createWhole(const QString &target)
{
    requireRootParent(target);
    if (!QDir().mkpath(root()))
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(shown(root())));
    const Workshop workshop(target);
    if (QFileInfo(target).isDir())
        return; // made meanwhile by another program, which held the lock
    QList<const TableSchema *> tables;
    for (const TableSchema *table : schemas::all())
        tables << table;
    workshop.build(tables);
    saveFile(settingsfiles::defaultLogoPath(workshop.path()), defaultLogo());
    if (!QDir(root()).rename(QFileInfo(workshop.path()).fileName(), QFileInfo(target).fileName()) && !QFileInfo(target).isDir())
        throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(shown(target)));
}

// Adds missing table files to an existing administration: each is built whole beside it
// and then moved in, so no table is ever there half made.
void addTables(const QString &target, const QList<const TableSchema *> &tables)
{
    requireRootParent(target);
    const Workshop workshop(target);
    workshop.build(tables);
    for (const TableSchema *table : tables) {
        const QString to = QDir(target).filePath(table->fileName);
        if (!QFile::rename(QDir(workshop.path()).filePath(table->fileName), to) && !QFileInfo::exists(to))
            throw Error(QStringLiteral("De tabel %1 kan niet worden aangemaakt in de map %2.").arg(table->fileName, shown(target)));
    }
}

} // namespace

void ensureAdministration(const QString &folder)
{
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink()) {
        createWhole(target);
        return;
    }
    if (!info.isDir()) // also a link to a drive that is not there
        throw Error(QStringLiteral("De administratie %1 is geen bereikbare map.").arg(shown(target)));
    const QDir dir(target);
    QList<const TableSchema *> missing;
    QStringList missingNames;
    for (const TableSchema *table : schemas::all()) {
        if (!QFile::exists(dir.filePath(table->fileName))) {
            missing << table;
            missingNames << table->fileName;
        }
    }
    if (!missing.isEmpty()) {
        // A few missing files in an administration that has data point at damage or an
        // interrupted restore; creating empty ones would hide it. The two never-used layout
        // copies are the exception: they may be created at any time.
        const QStringList optional = {schemas::ledennew().fileName, schemas::mailtjesnew().fileName};
        const bool onlyOptional
            = std::all_of(missingNames.begin(), missingNames.end(), [&](const QString &f) { return optional.contains(f); });
        if (missing.size() < qsizetype(schemas::all().size()) && !onlyOptional)
            throw Error(QStringLiteral("In de administratie %1 ontbreken de tabellen %2. Zet ze terug met Restore.")
                            .arg(shown(target), missingNames.join(QStringLiteral(", "))));
        addTables(target, missing);
    }
    restoreDefaultLogo(target);
}

void removeLeftovers()
{
    QSet<QString> names;
    const QStringList entries = QDir(root()).entryList({buildingPrefix + u'*'}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (QString name : entries) {
        if (name.endsWith(QStringLiteral(".lock")))
            name.chop(5);
        names.insert(name);
    }
    for (const QString &name : std::as_const(names)) {
        const QString path = root() + u'/' + name;
        QLockFile lock(path + QStringLiteral(".lock"));
        if (takeLock(lock, 0))
            QDir(path).removeRecursively(); // the lock file goes with the lock
    }
}

} // namespace zelk::administraties
