#pragma once
// A table object: the cursor over one table of the current administration that every
// screen and report shares. It keeps the rows in browse order (members by name, accounts
// by number, other tables in the order their rows were placed), one current row, an edit
// buffer for the row being edited or inserted, and an optional filter.
//
// Cursor rules: moving, Refresh, or starting Insert/Append while a row is being edited
// first posts that row; Insert in an unkeyed table places the new row before the current
// one; Edit on an empty table appends; Delete makes the following row current (the new
// last row when the last was deleted); Delete while inserting discards the new row.
#include "connection.h"
#include "tableschema.h"

#include <QDate>
#include <QObject>
#include <QTime>
#include <QVariant>
#include <functional>
#include <memory>
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

    // Reads every row of the table through `connection`; an open table stays as it is.
    // With `exclusive`, fails when another program is using the file.
    void open(Connection &connection, bool exclusive = false);
    // Posts a pending row, then closes. A row that cannot be posted is discarded.
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Cursor over the rows that pass the filter.
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const { return static_cast<int>(m_view.size()); }
    int totalCount() const { return static_cast<int>(m_rows.size()); } // ignoring the filter
    int currentRow() const { return m_current; }                       // -1 on an empty table
    // The stored identity of the current row (-1 on an empty table): stays the same while
    // rows around it come and go, so an action can name the row the user saw.
    qint64 currentRowid() const;
    // Makes the row with that identity current; false when it is not (or no longer) shown.
    bool locate(qint64 rowid);
    bool isEmpty() const { return m_view.empty(); }

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

Q_SIGNALS:
    void rowsReset();             // the set or order of rows changed
    void rowChanged(int row);     // one row's values changed in place
    void currentChanged(int row); // another row became current
    void stateChanged(zelk::Table::State state);

private:
    struct Row {
        qint64 rowid = 0;
        double order = 0;
        Values values;
    };

    void requireOpen() const;
    void load();
    void rebuildView();
    bool passes(const Values &values) const;
    void applyFilter();
    void setCurrent(int row);
    void setState(State state);
    void checkBrowse(); // posts a pending row
    int lookupIndex(QStringView name) const;
    QVariant currentValue(int field) const;
    Values emptyValues() const;
    QVariant converted(const FieldDef &field, const QVariant &value) const;
    bool lessByKey(const Row &a, const Row &b) const;
    size_t sortedPosition(const Row &row) const;
    int viewIndexOf(qint64 rowid) const;
    int rowIndexOf(qint64 rowid) const;
    void announceRowsReset(qint64 rowid, int fallback);
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
    std::vector<Row> m_rows; // all rows in browse order
    std::vector<int> m_view; // indexes into m_rows of rows passing the filter
    int m_current = -1;      // index into m_view
    bool m_eof = true;
    bool m_bof = true;
    Values m_buffer;             // the row being edited or inserted
    qint64 m_editRowid = -1;     // the stored row being edited
    bool m_insertBefore = false; // Insert (before current) rather than Append
    bool m_filtered = false;
    Condition m_condition;
    std::vector<std::pair<QString, Lookup>> m_lookups;
};

} // namespace zelk
