#include "veiligheidskopie.h"

#include "administraties.h"
#include "databases.h"
#include "filesave.h"
#include "settingsfiles.h"
#include "store/connection.h"
#include "store/sqlite.h"
#include "store/tableschema.h"
#include "writerlock.h"
#include "zelkerror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelk::veiligheidskopie {

namespace {
const QString nameFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss");
const QString momentFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
// What a copy says about itself: the action and the moment to the millisecond, so that
// copies made within one second still keep their order.
const QString aboutFile = QStringLiteral("kopie.txt");
// Hidden folders: a copy being built, a copy being removed, an administration being put back.
const QString buildingPrefix = QStringLiteral(".bezig-");
const QString removingPrefix = QStringLiteral(".weg-");
const QString restoringPrefix = QStringLiteral(".terugzetten-");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The settings files of an administration: the three records and the name (settingsfiles.h)
// and the mail server connection (mail/mailserverinstelling.h).
const QStringList &settingsFiles()
{
    static const QStringList names
        = {QLatin1String(Instelling::fileName), QLatin1String(Logonaam::fileName), QLatin1String(Konfigur::fileName),
           QStringLiteral("vereniging.txt"), QStringLiteral("mailserver.txt")};
    return names;
}

// How an action is named in the sentence that says it was not carried out.
QString actionPhrase(QStringView handeling)
{
    if (handeling == jaarafsluiting)
        return QStringLiteral("de jaarafsluiting");
    if (handeling == schoneLei)
        return QStringLiteral("Schone Lei");
    if (handeling == ledenInlezen)
        return QStringLiteral("het inlezen van de leden");
    if (handeling == terugzetten)
        return QStringLiteral("het terugzetten van de veiligheidskopie");
    if (handeling == restore)
        return QStringLiteral("de restore");
    return u'"' + handeling.toString() + u'"';
}

void removeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        QFile::remove(path); // never what a link points to
    else if (info.isDir())
        QDir(path).removeRecursively();
}

// Only one writer works on a root at a time, so hidden folders that a writer finds were
// left by a program that was stopped; they are never anyone's work in progress.
void removeLeftovers(const QString &folder, const QStringList &prefixes)
{
    if (!WriterLock::heldHere())
        return;
    QStringList patterns;
    for (const QString &prefix : prefixes)
        patterns << prefix + u'*';
    for (const QString &name : QDir(folder).entryList(patterns, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        removeFolder(QDir(folder).filePath(name));
}

QString restoringFolder(const QString &administration)
{
    const QFileInfo info(administration);
    return info.absolutePath() + u'/' + restoringPrefix + info.fileName();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(shown(path)));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(shown(path)));
    return bytes;
}

// Copies the settings files `from` holds to `to`, each written whole and checked.
void copySettings(const QString &from, const QString &to)
{
    for (const QString &name : settingsFiles()) {
        const QFileInfo info(QDir(from).filePath(name));
        if (info.isFile())
            saveFile(QDir(to).filePath(name), readAll(info.filePath()));
    }
}

std::optional<Kopie> readCopy(const QString &base, const QString &name)
{
    if (name.size() < nameFormat.size() + 2 || name.at(nameFormat.size()) != u' ')
        return std::nullopt;
    QDateTime moment = QDateTime::fromString(name.left(nameFormat.size()), nameFormat);
    if (!moment.isValid())
        return std::nullopt;
    Kopie copy{name, name.mid(nameFormat.size() + 1), moment, QDir(base).filePath(name)};
    QFile about(QDir(copy.pad).filePath(aboutFile));
    if (about.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QStringList lines = QString::fromUtf8(about.readAll()).split(u'\n');
        for (const QString &line : lines) {
            if (line.startsWith(QStringLiteral("handeling=")))
                copy.handeling = line.mid(10);
            else if (line.startsWith(QStringLiteral("moment="))) {
                const QDateTime exact = QDateTime::fromString(line.mid(7), momentFormat);
                if (exact.isValid())
                    copy.moment = exact;
            }
        }
    }
    return copy;
}

QList<Kopie> copiesIn(const QString &base)
{
    QList<Kopie> copies;
    for (const QString &name : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (const auto copy = readCopy(base, name))
            copies << *copy;
    std::stable_sort(copies.begin(), copies.end(),
                     [](const Kopie &a, const Kopie &b) { return a.moment != b.moment ? a.moment < b.moment : a.naam < b.naam; });
    return copies;
}

// Removes the oldest copies beyond `bewaard`, never `spared`. A copy is first renamed
// away, so that a removal stopped half-way never leaves a cut copy under a copy's name.
void prune(const QString &base, const QString &spared)
{
    QList<Kopie> copies = copiesIn(base);
    copies.removeIf([&](const Kopie &k) { return k.naam == spared; });
    const qsizetype limit = spared.isEmpty() ? bewaard : bewaard - 1;
    for (qsizetype i = 0; i + limit < copies.size(); ++i) {
        const QString away = QDir(base).filePath(removingPrefix + copies[i].naam);
        removeFolder(QDir(base).rename(copies[i].naam, removingPrefix + copies[i].naam) ? away : copies[i].pad);
    }
}

// A table file copied through SQLite's online backup (consistent while the table is open
// and even inside the caller's transaction) into a new file of a copy being built. The
// new file needs no journal of its own: until the copy is renamed into place it is no
// copy at all. It is forced to the disk once, at the end.
void copyTable(const Connection &from, const TableSchema &table, const QString &target)
{
    const QString what = QStringLiteral("Kopiëren van %1").arg(table.fileName);
    {
        sql::DatabaseHandle db = sql::openFile(target, true);
        sql::exec(db.get(), QStringLiteral("PRAGMA journal_mode=OFF"), what);
        sql::exec(db.get(), QStringLiteral("PRAGMA synchronous=OFF"), what);
        sql::copyDatabase(db.get(), from.handle(), from.schemaName(table).toUtf8().constData(), what);
    }
    if (!syncToDisk(target))
        throw Error(QStringLiteral("%1: de schijf is vol of niet beschrijfbaar.").arg(what));
}

Kopie make(const Connection &connection, QStringView handeling, const QString &spared)
{
    const QString werkmap = connection.folder();
    const QString base = map(werkmap);
    QString building;
    Kopie copy;
    try {
        if (!QDir().mkpath(base))
            throw Error(QStringLiteral("de map %1 kan niet worden aangemaakt.").arg(shown(base)));
        removeLeftovers(base, {buildingPrefix, removingPrefix});
        if (WriterLock::heldHere()) // what a stopped restore left beside the administration
            removeFolder(restoringFolder(QFileInfo(werkmap).canonicalFilePath()));
        // Later than every copy there is, also when two are made within one millisecond.
        QDateTime moment = QDateTime::currentDateTime();
        const QList<Kopie> existing = copiesIn(base);
        if (!existing.isEmpty() && existing.last().moment >= moment)
            moment = existing.last().moment.addMSecs(1);
        const QString stem = moment.toString(nameFormat) + u' ' + handeling.toString();
        QString name = stem;
        for (int n = 2; QFileInfo::exists(QDir(base).filePath(name)); ++n)
            name = stem + QStringLiteral(" (%1)").arg(n);
        copy = {name, handeling.toString(), moment, QDir(base).filePath(name)};

        building = QDir(base).filePath(buildingPrefix + name);
        if (!QDir().mkdir(building))
            throw Error(QStringLiteral("de map %1 kan niet worden aangemaakt.").arg(shown(building)));
        for (const TableSchema *table : schemas::all())
            copyTable(connection, *table, QDir(building).filePath(table->fileName));
        copySettings(werkmap, building);
        saveFile(QDir(building).filePath(aboutFile),
                 QStringLiteral("handeling=%1\nmoment=%2\nadministratie=%3\n")
                     .arg(copy.handeling, moment.toString(momentFormat), werkmap)
                     .toUtf8());
        if (!syncToDisk(building) || !QDir(base).rename(buildingPrefix + name, name) || !syncToDisk(base))
            throw Error(QStringLiteral("de map %1 kan niet worden aangemaakt.").arg(shown(copy.pad)));
    } catch (const Error &e) {
        if (!building.isEmpty())
            removeFolder(building);
        throw Error(QStringLiteral("Er kon geen veiligheidskopie van de administratie worden gemaakt in %1: %2 "
                                   "Daarom is %3 niet uitgevoerd; er is niets gewijzigd.")
                        .arg(shown(base), e.message(), actionPhrase(handeling)));
    }
    prune(base, spared); // the new copy is whole; an old one that stays does no harm
    return copy;
}

// --- putting a copy back ---------------------------------------------------------------

sql::DatabaseHandle openReadOnly(const QString &path)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sql::DatabaseHandle db(raw);
    if (rc != SQLITE_OK)
        sql::fail(db.get(), rc, QStringLiteral("Openen van %1").arg(shown(path)));
    return db;
}

// Every table file of the copy is there, is whole, and holds its table.
void checkCopy(const Kopie &copy)
{
    for (const TableSchema *table : schemas::all()) {
        const QString path = QDir(copy.pad).filePath(table->fileName);
        try {
            if (!QFileInfo(path).isFile())
                throw Error(QStringLiteral("het bestand %1 ontbreekt.").arg(table->fileName));
            sql::DatabaseHandle db = openReadOnly(path);
            sql::Statement check(db.get(), QStringLiteral("PRAGMA quick_check"));
            if (!check.step() || check.column(0).toString() != QLatin1String("ok"))
                throw Error(QStringLiteral("het bestand %1 is beschadigd.").arg(table->fileName));
            sql::Statement count(db.get(), QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table->tableName));
            count.step();
        } catch (const Error &e) {
            throw Error(QStringLiteral("De veiligheidskopie %1 is niet compleet of beschadigd: %2 Er is niets teruggezet.")
                            .arg(copy.naam, e.message()));
        }
    }
}

// A table file of the copy, written whole into the administration being built.
void copyTableOut(const QString &from, const QString &to, const QString &fileName)
{
    const QString what = QStringLiteral("Terugzetten van %1").arg(fileName);
    {
        sql::DatabaseHandle source = openReadOnly(from);
        sql::DatabaseHandle target = sql::openFile(to, true);
        sql::exec(target.get(), QStringLiteral("PRAGMA journal_mode=OFF"), what);
        sql::exec(target.get(), QStringLiteral("PRAGMA synchronous=OFF"), what);
        sql::copyDatabase(target.get(), source.get(), "main", what);
    }
    if (!syncToDisk(to))
        throw Error(QStringLiteral("%1: de schijf is vol of niet beschrijfbaar.").arg(what));
}

// The names in an administration folder that a copy replaces: the table files with their
// SQLite companions, and the settings files.
bool replacedByCopy(const QString &name)
{
    if (settingsFiles().contains(name))
        return true;
    for (const TableSchema *table : schemas::all())
        if (name == table->fileName || name.startsWith(table->fileName + u'-') || name.startsWith(table->fileName + u'.'))
            return true;
    return false;
}

// Carries every other file of `from` (logo, letters, the print copy, subfolders) into
// `to`: as a second name of the same file where the file system allows, else as a copy.
void carryOtherFiles(const QString &from, const QString &to, bool topLevel)
{
    const QDir source(from);
    for (const QFileInfo &entry : source.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (topLevel && replacedByCopy(entry.fileName()))
            continue;
        const QString target = QDir(to).filePath(entry.fileName());
        bool ok = false;
        if (entry.isSymLink()) {
            ok = QFile::link(entry.symLinkTarget(), target);
        } else if (entry.isDir()) {
            ok = QDir().mkdir(target);
            if (ok)
                carryOtherFiles(entry.filePath(), target, false);
        } else {
#ifdef Q_OS_UNIX
            ok = ::link(QFile::encodeName(entry.filePath()).constData(), QFile::encodeName(target).constData()) == 0;
#endif
            ok = ok || (entry.isFile() && QFile::copy(entry.filePath(), target));
        }
        if (!ok)
            throw Error(QStringLiteral("Het bestand %1 kan niet worden meegenomen naar %2; de schijf is vol of niet beschrijfbaar.")
                            .arg(shown(entry.filePath()), shown(to)));
    }
}

// Exchanges the two folders in one step where the file system can, so that the
// administration folder always holds one whole administration. Elsewhere (FAT, some
// network drives) by two renames, the first undone when the second fails; a program
// stopped between the two leaves the previous administration in "<built>-oud", which is
// never removed automatically.
void exchange(const QString &built, const QString &administration)
{
    const QByteArray a = QFile::encodeName(built);
    const QByteArray b = QFile::encodeName(administration);
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        throw Error(QStringLiteral("De administratie %1 kan niet worden vervangen: %2.")
                        .arg(shown(administration), QString::fromLocal8Bit(std::strerror(errno))));
#endif
    const QByteArray old = QFile::encodeName(built + QStringLiteral("-oud"));
    if (std::rename(b.constData(), old.constData()) != 0)
        throw Error(QStringLiteral("De administratie %1 kan niet worden vervangen.").arg(shown(administration)));
    if (std::rename(a.constData(), b.constData()) != 0) {
        std::rename(old.constData(), b.constData());
        throw Error(QStringLiteral("De administratie %1 kan niet worden vervangen.").arg(shown(administration)));
    }
    std::rename(old.constData(), a.constData()); // the old one where the caller removes it
}

} // namespace

QString map(const QString &werkmap)
{
    return administraties::root() + QStringLiteral("/veiligheidskopieen/") + QFileInfo(werkmap).fileName();
}

Kopie maak(const Connection &connection, QStringView handeling)
{
    return make(connection, handeling, {});
}

QList<Kopie> lijst(const QString &werkmap)
{
    return copiesIn(map(werkmap));
}

Kopie zetTerug(DataModule1 &data, const QString &naam)
{
    Connection &connection = data.database1();
    const QString werkmap = data.werkmap();
    const QList<Kopie> copies = lijst(werkmap);
    const auto found = std::find_if(copies.begin(), copies.end(), [&](const Kopie &k) { return k.naam == naam; });
    if (found == copies.end())
        throw Error(QStringLiteral("Er is geen veiligheidskopie \"%1\" van de administratie %2; er is niets teruggezet.")
                        .arg(naam, shown(werkmap)));
    const Kopie copy = *found;
    checkCopy(copy);
    for (Table *table :
         {&data.ledentabel, &data.rekeningtabel, &data.journaaltabel, &data.mailtjestabel, &data.ontvangentabel, &data.betalentabel})
        table->flush(); // a row being edited belongs in the safety copy
    const Kopie before = make(connection, terugzetten, copy.naam);

    // The administration as the copy has it, built whole beside the current one.
    const QString administration = QFileInfo(werkmap).canonicalFilePath();
    const QString built = restoringFolder(administration);
    removeFolder(built);
    try {
        if (!QDir().mkdir(built))
            throw Error(QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(shown(built)));
        carryOtherFiles(administration, built, true);
        for (const TableSchema *table : schemas::all())
            copyTableOut(QDir(copy.pad).filePath(table->fileName), QDir(built).filePath(table->fileName), table->fileName);
        copySettings(copy.pad, built);
    } catch (const Error &e) {
        removeFolder(built);
        throw Error(e.message() + QStringLiteral(" Er is niets teruggezet."));
    }

    // No table may be open on the files while the folders change places.
    std::optional<Error> unsaved;
    try {
        data.disconnectDatabase();
    } catch (const Error &e) {
        unsaved = e; // flushed above; nothing should be pending
    }
    try {
        exchange(built, administration);
    } catch (const Error &e) {
        removeFolder(built);
        data.reopenReplaced();
        throw Error(e.message() + QStringLiteral(" Er is niets teruggezet."));
    }
    removeFolder(built); // now the previous administration; the safety copy keeps it
    data.reopenReplaced();
    if (unsaved)
        throw *unsaved;
    return before;
}

} // namespace zelk::veiligheidskopie
