#pragma once
// Thin RAII layer over the SQLite C API. Every failure becomes a zelk::Error whose
// Dutch message says what went wrong in the user's terms, with SQLite's own text appended.
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zelk::sql {

struct DatabaseCloser {
    void operator()(sqlite3 *db) const;
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt *stmt) const;
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens (and with `create`, creates) a database file; throws zelk::Error.
DatabaseHandle openFile(const QString &path, bool create);

// Throws the zelk::Error for result code `rc`; `what` names the action in Dutch.
[[noreturn]] void fail(sqlite3 *db, int rc, const QString &what);

void exec(sqlite3 *db, const QString &sql, const QString &what = {});

class Statement {
public:
    Statement(sqlite3 *db, const QString &sql);
    Statement &bind(int index, const QVariant &value); // 1-based
    bool step();                                       // true while a row is available
    void run(const QString &what = {});                // steps until done
    void reset();
    QVariant column(int index) const; // NULL reads as an invalid QVariant
    double columnDouble(int index) const;
    qint64 columnInt(int index) const;
    int columnCount() const;

private:
    sqlite3 *m_db;
    StatementHandle m_stmt;
    QString m_sql;
};

// Copies the database `sourceName` of `source` whole into the main database of `target`
// through SQLite's online backup (consistent even while the source is open); throws.
void copyDatabase(sqlite3 *target, sqlite3 *source, const char *sourceName, const QString &what);

// Extended result code of the last failure on `db`, for callers that react to constraints.
int extendedErrorCode(sqlite3 *db);

} // namespace zelk::sql
