#include "sqlite.h"

#include "zelkerror.h"

#include <QDate>
#include <QTime>
#include <sqlite3.h>

namespace zelk::sql {

void DatabaseCloser::operator()(sqlite3 *db) const
{
    sqlite3_close_v2(db);
}

void StatementFinalizer::operator()(sqlite3_stmt *stmt) const
{
    sqlite3_finalize(stmt);
}

namespace {
QString reason(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("De tabel is in gebruik door een ander programma.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("Het bestand mag niet worden beschreven (alleen-lezen).");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Het bestand of de map kan niet worden geopend.");
    case SQLITE_FULL:
        return QStringLiteral("De schijf is vol.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("Het bestand is beschadigd of is geen tabel van Zelk.");
    case SQLITE_IOERR:
        return QStringLiteral("Er trad een lees- of schrijffout op.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("De gegevens voldoen niet aan de sleutel van de tabel.");
    default:
        return QStringLiteral("Onverwachte fout van de tabellen.");
    }
}
} // namespace

void fail(sqlite3 *db, int rc, const QString &what)
{
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    QString message = what.isEmpty() ? reason(rc) : what + QStringLiteral(": ") + reason(rc);
    throw Error(message + QStringLiteral(" (") + detail + QStringLiteral(")"));
}

DatabaseHandle openFile(const QString &path, bool create)
{
    sqlite3 *raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    DatabaseHandle db(raw);
    if (rc != SQLITE_OK)
        fail(db.get(), rc, QStringLiteral("Openen van %1").arg(path));
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, 2000);
    return db;
}

void exec(sqlite3 *db, const QString &sql, const QString &what)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        fail(db, rc, what);
}

void copyDatabase(sqlite3 *target, sqlite3 *source, const char *sourceName, const QString &what)
{
    std::unique_ptr<sqlite3_backup, int (*)(sqlite3_backup *)> job(sqlite3_backup_init(target, "main", source, sourceName),
                                                                   sqlite3_backup_finish);
    if (!job)
        fail(target, sqlite3_errcode(target), what);
    const int rc = sqlite3_backup_step(job.get(), -1);
    if (rc != SQLITE_DONE)
        fail(target, rc, what);
    const int finish = sqlite3_backup_finish(job.release());
    if (finish != SQLITE_OK)
        fail(target, finish, what);
}

int extendedErrorCode(sqlite3 *db)
{
    return sqlite3_extended_errcode(db);
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db), m_sql(sql)
{
    sqlite3_stmt *raw = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &raw, nullptr);
    m_stmt.reset(raw);
    if (rc != SQLITE_OK)
        fail(db, rc, {});
}

Statement &Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt.get(), index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt.get(), index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt.get(), index, value.toDouble());
            break;
        case QMetaType::QDate:
            rc = sqlite3_bind_text(m_stmt.get(), index, value.toDate().toString(Qt::ISODate).toUtf8().constData(), -1, SQLITE_TRANSIENT);
            break;
        case QMetaType::QTime:
            rc = sqlite3_bind_text(m_stmt.get(), index, value.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8().constData(), -1,
                                   SQLITE_TRANSIENT);
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt.get(), index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(m_db, rc, {});
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(m_db, rc, {});
}

void Statement::run(const QString &what)
{
    int rc;
    while ((rc = sqlite3_step(m_stmt.get())) == SQLITE_ROW) { }
    if (rc != SQLITE_DONE) {
        sqlite3_reset(m_stmt.get());
        fail(m_db, rc, what);
    }
    sqlite3_reset(m_stmt.get());
}

void Statement::reset()
{
    sqlite3_reset(m_stmt.get());
    sqlite3_clear_bindings(m_stmt.get());
}

QVariant Statement::column(int index) const
{
    switch (sqlite3_column_type(m_stmt.get(), index)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(m_stmt.get(), index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt.get(), index));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt.get(), index)),
                                          sqlite3_column_bytes(m_stmt.get(), index)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt.get(), index)), sqlite3_column_bytes(m_stmt.get(), index)));
    default:
        return {};
    }
}

double Statement::columnDouble(int index) const
{
    return sqlite3_column_double(m_stmt.get(), index);
}

qint64 Statement::columnInt(int index) const
{
    return sqlite3_column_int64(m_stmt.get(), index);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt.get());
}

} // namespace zelk::sql
