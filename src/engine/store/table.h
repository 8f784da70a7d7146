#pragma once
// A table object: the cursor over one table of the current administration that every
// screen and report shares. It keeps the rows in browse order (members by name, accounts
// by number, other tables in the order their rows were placed), one current row, an edit
// buffer for the row being edited or inserted, and an optional filter.
//
// Rows are read from the file when first needed, not when the table opens: the first
// cursor move, count, value or filter reads them, and so does opening while a bound
// control listens to the table. Until then appending a row (when no filter decides whether
// it shows), totalCount() and lastValue() ask the file and leave the rows unread, so
// starting and booking cost the same whatever the size of the journal.
//
// Cursor rules: moving, Refresh, or starting Insert/Append while a row is being edited
// first posts that row; Insert in an unkeyed table places the new row before the current
// one; Edit on an empty table appends; Delete makes the following row current (the new
// last row when the last was deleted); Delete while inserting discards the new row.
#include "connection.h"
#include "rowtree.h"
#include "tableschema.h"

#include <QDate>
#include <QObject>
#include <QTime>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zelk {

class Table : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Values = QVariantList;
    // A filter condition over a row's stored values (indexed like the schema's fields).
    using Condition = std::function<bool(const Values &)>;
    // A derived, not stored, field computed from a row's values.
    using Lookup = std::function<QVariant(const Values &)>;

    Table(const QString &objectName, const TableSchema &schema, QObject *parent = nullptr);
    ~Table() override;

    const TableSchema &schema() const { return m_schema; }

    // Opens the table on `connection`; its rows are read when first needed. An open table
    // stays as it is. With `exclusive`, fails when another program is using the file.
    void open(Connection &connection, bool exclusive = false);
    // Posts a pending row, then closes. A row that cannot be posted is discarded.
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    // Whether the rows are read into memory yet (for tests and measurements).
    bool isLoaded() const { return m_loaded; }

    // Cursor over the rows that pass the filter.
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    bool eof() const;
    bool bof() const;
    int recordCount() const;
    // Ignoring the filter; rows not read yet are counted in the file and stay unread.
    int totalCount() const;
    int currentRow() const; // -1 on an empty table
    // The stored identity of the current row (-1 on an empty table): stays the same while
    // rows around it come and go, so an action can name the row the user saw.
    qint64 currentRowid() const;
    // Makes the row with that identity current; false when it is not (or no longer) shown.
    bool locate(qint64 rowid);
    bool isEmpty() const { return recordCount() == 0; }

    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove(); // "Delete"
    // Deletes the row with that identity; throws zelk::Error when it no longer exists
    // (another program removed it), and then deletes nothing.
    void removeRow(qint64 rowid);
    void refresh();
    // The file was written past this object (by one statement of an action): forgets the
    // rows held and reads them again when next asked, at the first row.
    void reloadStored();
    // Posts a pending row; every posted row is already on disk.
    void flush();
    // Deletes every row of the table (not only those passing the filter).
    void emptyTable();

    // "Filtering on" with no condition lets every row pass.
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    void setCondition(Condition condition);
    void clearCondition() { setCondition({}); }

    void addLookup(const QString &name, Lookup lookup);

    // Fields of the current row (the edit buffer while editing), by case-insensitive name.
    // An unknown name throws zelk::Error. A field that holds nothing reads as empty text,
    // 0, an invalid date or false.
    int fieldIndex(QStringView name) const;
    QVariant value(QStringView name) const;
    QString text(QStringView name) const;
    double number(QStringView name) const;
    qint64 integer(QStringView name) const;
    QDate date(QStringView name) const;
    QTime time(QStringView name) const;
    bool boolean(QStringView name) const;
    // Only while editing or inserting. A text must fit its field (fieldlength::check) and a
    // text for a date field must be dd-MM-yyyy or yyyy-MM-dd (otherwise zelk::Error, nothing
    // changes).
    void setValue(QStringView name, const QVariant &value);

    // Stored values of any visible row, for grids and reports.
    QVariant valueAt(int row, int field) const;
    QVariant valueAt(int row, QStringView name) const;
    const Values &rowValues(int row) const;
    qint64 rowidAt(int row) const; // the stored identity of a visible row
    // The stored value of a field in the last row in browse order, ignoring the filter (an
    // invalid QVariant for an empty table). Rows not read yet stay unread: a table without
    // key or numbered by the store reads that one row from the file.
    QVariant lastValue(QStringView name) const;

Q_SIGNALS:
    void rowsReset();             // the set or order of rows changed
    void rowChanged(int row);     // one row's values changed in place
    void currentChanged(int row); // another row became current
    void stateChanged(zelk::Table::State state);

private:
    using Row = StoredRow;
    // The count and the last row of a table whose rows are not read yet, as the file has
    // them. Valid until another program changes the file (seen when a transaction begins)
    // or a transaction rolls back; this table's own appends keep it up to date.
    struct Tail {
        std::optional<qint64> count; // rows
        bool lastKnown = false;      // lastRowid and lastOrder (numbered tables only)
        qint64 lastRowid = -1;       // the last row in browse order, -1 for none
        double lastOrder = 0;        // its order value (tables without key)
    };

    void requireOpen() const;
    // Reads the rows when they are not read yet. Table objects are never const themselves,
    // so the const readers of the rows may read them on first use.
    void ensureLoaded() const;
    void loadRows();
    void load();
    qint64 storedCount() const;
    const Tail &storedLast() const;
    bool listened() const;
    bool filterActive() const { return m_filtered && m_condition; }
    bool passes(const Values &values) const;
    void applyFilter();
    void setCurrent(int row);
    void setState(State state);
    void checkBrowse(); // posts a pending row
    int lookupIndex(QStringView name) const;
    QVariant currentValue(int field) const;
    const Values &currentValues() const;
    Values emptyValues() const;
    QVariant converted(const FieldDef &field, const QVariant &value) const;
    bool lessByKey(const Row &a, const Row &b) const;
    RowTree::Less lessFunction() const;
    RowTree::Node rowNode(qint64 rowid) const;
    int shownIndexOf(qint64 rowid) const;
    void announceRowsReset(qint64 rowid, int fallback);
    void announceAt(int shown, int fallback);
    void reloadChangedFile();
    double orderForNewRow();
    void renumberOrder();
    void postInsert();
    void postEdit();
    QString insertSql() const;
    QString updateSql() const;
    void reloadAfterRollback();
    [[noreturn]] void failPost();

    // Prepared once per opening: posting is the hot path of a large booking run.
    sql::Statement &insertStatement();
    sql::Statement &updateStatement();
    std::unique_ptr<sql::Statement> m_insertStatement;
    std::unique_ptr<sql::Statement> m_updateStatement;

    QString m_name;
    const TableSchema &m_schema;
    Connection *m_connection = nullptr;
    int m_rollbackListener = 0;
    int m_changeListener = 0;
    State m_state = State::Inactive;
    bool m_loaded = false; // the rows are read (and kept up to date)
    RowTree m_rows;        // all rows in browse order, knowing which pass the filter
    int m_current = -1;    // among the rows passing the filter
    bool m_eof = true;
    bool m_bof = true;
    // While the rows are not read: where the cursor goes when they are (the row with that
    // identity, otherwise that place), and whether eof/bof then say "empty".
    qint64 m_pendingRowid = -1;
    int m_pendingFallback = 0;
    bool m_eofPending = false;
    bool m_bofPending = false;
    mutable Tail m_tail;
    Values m_buffer;                          // the row being edited or inserted
    qint64 m_editRowid = -1;                  // the stored row being edited
    RowTree::Node m_editNode = RowTree::none; // where it was
    bool m_insertBefore = false;              // Insert (before current) rather than Append
    bool m_filtered = false;
    Condition m_condition;
    std::vector<std::pair<QString, Lookup>> m_lookups;
};

} // namespace zelk
