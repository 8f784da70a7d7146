#include "connection.h"

#include "zelkerror.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>
#include <sqlite3.h>

namespace zelk {

namespace {
// The accounts take part in every booking, so their file is the main database.
bool isMain(const TableSchema &table)
{
    return &table == &schemas::rekeningen();
}

QString fileUri(const QString &path, const char *mode)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    return url.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=") + QLatin1String(mode);
}

void requireFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        throw Error(QStringLiteral("De tabel %1 ontbreekt in de map %2.")
                        .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
}

sql::DatabaseHandle openUri(const QString &uri, int flags, const QString &path)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(uri.toUtf8().constData(), &raw, flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    sql::DatabaseHandle db(raw);
    if (rc != SQLITE_OK)
        sql::fail(db.get(), rc, QStringLiteral("Openen van %1").arg(QDir::toNativeSeparators(path)));
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, 2000);
    return db;
}
} // namespace

Connection::Connection(const QString &folder) : m_folder(QDir::cleanPath(QDir(folder).absolutePath()))
{
    const QString mainPath = filePath(schemas::rekeningen());
    requireFile(mainPath);
    m_db = openUri(fileUri(mainPath, "rw"), SQLITE_OPEN_READWRITE, mainPath);
    sql::exec(m_db.get(), QStringLiteral("PRAGMA journal_mode=DELETE"));
    for (const TableSchema *table : schemas::all()) {
        if (isMain(*table))
            continue;
        const QString path = filePath(*table);
        requireFile(path);
        sql::Statement attach(m_db.get(), QStringLiteral("ATTACH DATABASE ? AS %1").arg(qualified(*table)));
        attach.bind(1, fileUri(path, "rw"));
        attach.run(QStringLiteral("Openen van %1").arg(QDir::toNativeSeparators(path)));
    }
    // The versions as they are now: rows read from here on are the baseline.
    for (const TableSchema *table : schemas::all()) {
        m_versionQueries.push_back(
            std::make_unique<sql::Statement>(m_db.get(), QStringLiteral("PRAGMA %1.data_version").arg(qualified(*table))));
        m_versions.push_back(dataVersion(m_versionQueries.size() - 1));
    }
}

Connection::~Connection() = default;

QString Connection::filePath(const TableSchema &table) const
{
    return m_folder + u'/' + table.fileName;
}

QString Connection::schemaName(const TableSchema &table) const
{
    return isMain(table) ? QStringLiteral("main") : table.tableName;
}

QString Connection::qualified(const TableSchema &table) const
{
    return u'"' + schemaName(table) + u'"';
}

int Connection::addRollbackListener(RollbackListener listener)
{
    m_listeners.emplace_back(++m_nextListener, std::move(listener));
    return m_nextListener;
}

void Connection::removeRollbackListener(int id)
{
    std::erase_if(m_listeners, [id](const auto &entry) { return entry.first == id; });
}

int Connection::addChangeListener(const TableSchema &table, ChangeListener listener)
{
    m_changeListeners.push_back({++m_nextListener, &table, std::move(listener)});
    return m_nextListener;
}

void Connection::removeChangeListener(int id)
{
    std::erase_if(m_changeListeners, [id](const ChangeWatch &watch) { return watch.id == id; });
}

qint64 Connection::dataVersion(size_t file)
{
    sql::Statement &query = *m_versionQueries[file];
    query.reset();
    const qint64 version = query.step() ? query.columnInt(0) : 0;
    query.reset();
    return version;
}

void Connection::takeOutsideChanges()
{
    // Inside BEGIN IMMEDIATE every file is locked for writing, so what is read now stays
    // true until the commit. SQLite's data version changes only for other connections' commits.
    const auto &tables = schemas::all();
    for (size_t i = 0; i < tables.size(); ++i) {
        const qint64 version = dataVersion(i);
        if (version == m_versions[i])
            continue;
        m_versions[i] = version;
        const auto watches = m_changeListeners; // a listener may change the list
        for (const ChangeWatch &watch : watches)
            if (watch.table == tables[i])
                watch.listener();
    }
}

void Connection::begin()
{
    sql::exec(m_db.get(), m_depth == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT s%1").arg(m_depth),
              QStringLiteral("Beginnen van de verwerking"));
    ++m_depth;
    if (m_depth == 1) {
        try {
            takeOutsideChanges();
        } catch (...) {
            rollback();
            throw;
        }
    }
}

void Connection::commit()
{
    const QString sql = m_depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE s%1").arg(m_depth - 1);
    sql::exec(m_db.get(), sql, QStringLiteral("Vastleggen van de verwerking"));
    --m_depth;
}

void Connection::rollback()
{
    --m_depth;
    if (m_depth == 0)
        sqlite3_exec(m_db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(m_db.get(), QStringLiteral("ROLLBACK TO s%1; RELEASE s%1").arg(m_depth).toUtf8().constData(), nullptr, nullptr,
                     nullptr);
    // Copies since every listener may reload and, in doing so, change the list.
    const auto listeners = m_listeners;
    for (const auto &[id, listener] : listeners)
        listener();
}

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    m_connection.begin();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_connection.rollback();
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_connection.commit(); // a failed COMMIT throws and the destructor rolls back
    m_done = true;
}

void createTableFile(const QString &path, const TableSchema &table)
{
    if (QFileInfo::exists(path))
        return;
    sql::DatabaseHandle db = openUri(fileUri(path, "rwc"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, path);
    sql::exec(db.get(), table.createSql(QStringLiteral("main")), QStringLiteral("Aanmaken van %1").arg(table.fileName));
}

namespace {
void backup(sqlite3 *to, const char *toName, sqlite3 *from, const char *fromName, const QString &what)
{
    std::unique_ptr<sqlite3_backup, int (*)(sqlite3_backup *)> job(sqlite3_backup_init(to, toName, from, fromName), sqlite3_backup_finish);
    if (!job)
        sql::fail(to, sqlite3_errcode(to), what);
    const int rc = sqlite3_backup_step(job.get(), -1);
    if (rc != SQLITE_DONE)
        sql::fail(to, rc, what);
    const int finish = sqlite3_backup_finish(job.release());
    if (finish != SQLITE_OK)
        sql::fail(to, finish, what);
}
} // namespace

void copyTableFile(const Connection &from, const TableSchema &table, const QString &targetPath)
{
    const QString what = QStringLiteral("Kopiëren van %1").arg(table.fileName);
    // Copy beside the target first, so a failed copy never destroys the previous one.
    const QString partial = targetPath + QStringLiteral(".kopie");
    const auto removePartial = [&partial] {
        QFile::remove(partial);
        QFile::remove(partial + QStringLiteral("-journal"));
    };
    removePartial();
    try {
        sql::DatabaseHandle target = openUri(fileUri(partial, "rwc"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, partial);
        backup(target.get(), "main", from.handle(), from.schemaName(table).toUtf8().constData(), what);
    } catch (const Error &) {
        removePartial(); // a full disk leaves a cut copy; the previous one stays
        throw;
    }
    // rename(2) replaces the previous copy in one step: there is never a moment without one.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(targetPath).constData()) != 0) {
        removePartial();
        throw Error(QStringLiteral("%1: het bestand %2 kan niet worden geschreven.").arg(what, QDir::toNativeSeparators(targetPath)));
    }
}

void restoreTableFile(Connection &into, const TableSchema &table, const QString &sourcePath)
{
    requireFile(sourcePath);
    sql::DatabaseHandle source = openUri(fileUri(sourcePath, "ro"), SQLITE_OPEN_READONLY, sourcePath);
    backup(into.handle(), into.schemaName(table).toUtf8().constData(), source.get(), "main",
           QStringLiteral("Terugzetten van %1").arg(table.fileName));
}

} // namespace zelk
