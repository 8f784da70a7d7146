#pragma once
// One SQLite connection per administration folder. The accounts file is the main
// database and the other table files are attached to it, so that one transaction can
// span several files and still commits atomically (rollback journal, not WAL).
#include "sqlite.h"
#include "tableschema.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace zelk {

class Connection {
public:
    // Opens the table files of `folder`; every file must exist (throws zelk::Error naming
    // the missing file otherwise).
    explicit Connection(const QString &folder);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db.get(); }
    const QString &folder() const { return m_folder; }
    QString filePath(const TableSchema &table) const;
    // The name under which a table's file is attached, already quoted for SQL.
    QString qualified(const TableSchema &table) const;
    QString schemaName(const TableSchema &table) const;

    int transactionDepth() const { return m_depth; }

    // Called after a rollback, so that cached rows can be read again.
    using RollbackListener = std::function<void()>;
    int addRollbackListener(RollbackListener listener);
    void removeRollbackListener(int id);

    // Called when a transaction begins and another program has changed `table`'s file
    // since this connection last looked, so that rows held in memory are read afresh
    // before anything is computed from them.
    using ChangeListener = std::function<void()>;
    int addChangeListener(const TableSchema &table, ChangeListener listener);
    void removeChangeListener(int id);

private:
    friend class Transaction;
    void begin();
    void commit();
    void rollback();
    void takeOutsideChanges();
    qint64 dataVersion(size_t file);

    QString m_folder;
    sql::DatabaseHandle m_db;
    int m_depth = 0;
    int m_nextListener = 0;
    std::vector<std::pair<int, RollbackListener>> m_listeners;
    struct ChangeWatch {
        int id;
        const TableSchema *table;
        ChangeListener listener;
    };
    std::vector<ChangeWatch> m_changeListeners;
    // Per table file (in the order of schemas::all()), the data version last seen.
    std::vector<std::unique_ptr<sql::Statement>> m_versionQueries;
    std::vector<qint64> m_versions;
};

// One user action: everything written between construction and commit() lands in the
// files together, or - when the object is destroyed without commit, for instance by an
// exception - not at all. Transactions nest (inner ones are savepoints).
class Transaction {
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};

// Creates a table file with its empty table when it does not exist yet.
void createTableFile(const QString &path, const TableSchema &table);

// Copies one table file to `targetPath` (replacing it) through SQLite's online backup,
// which gives a consistent copy even while the table is open. The copy is made beside
// the target and renamed over it, so a failed copy leaves the previous one in place.
void copyTableFile(const Connection &from, const TableSchema &table, const QString &targetPath);

// Replaces the contents of an open table's file with those of the file at `sourcePath`.
void restoreTableFile(Connection &into, const TableSchema &table, const QString &sourcePath);

} // namespace zelk
