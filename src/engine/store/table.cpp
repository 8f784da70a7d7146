#include "table.h"

#include "amountformat.h"
#include "fieldlength.h"
#include "zelkerror.h"

#include <QMetaMethod>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <sqlite3.h>
#include <stdexcept>

namespace zelk {

namespace {
QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

QVariant fromStored(const FieldDef &field, const QVariant &stored)
{
    if (!stored.isValid())
        return {};
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return stored.toString();
    case FieldType::Date: {
        const QDate d = QDate::fromString(stored.toString(), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Time: {
        const QTime t = QTime::fromString(stored.toString(), QStringLiteral("HH:mm:ss"));
        return t.isValid() ? QVariant(t) : QVariant();
    }
    case FieldType::Boolean:
        return stored.toLongLong() != 0;
    case FieldType::AutoInc:
        return stored.toLongLong();
    case FieldType::Currency:
    case FieldType::Float:
        return stored.toDouble();
    }
    return stored;
}

QDate parseDate(const QString &text)
{
    for (const char *format : {"dd-MM-yyyy", "d-M-yyyy", "yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy"}) {
        const QDate d = QDate::fromString(text, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return {};
}
} // namespace

Table::Table(const QString &objectName, const TableSchema &schema, QObject *parent) : QObject(parent), m_name(objectName), m_schema(schema)
{
    setObjectName(objectName);
}

Table::~Table()
{
    if (m_connection) {
        m_connection->removeRollbackListener(m_rollbackListener);
        m_connection->removeChangeListener(m_changeListener);
    }
}

void Table::requireOpen() const
{
    if (m_state == State::Inactive)
        throw Error(QStringLiteral("De tabel %1 is niet geopend.").arg(m_schema.fileName));
}

void Table::open(Connection &connection, bool exclusive)
{
    if (isOpen() && m_connection == &connection)
        return;
    if (isOpen())
        close();
    if (exclusive) {
        // Holding every lock for a moment proves no other program has the files in use.
        Transaction probe(connection);
        sql::exec(connection.handle(),
                  QStringLiteral("SELECT count(*) FROM %1.%2").arg(connection.qualified(m_schema), quoted(m_schema.tableName)),
                  QStringLiteral("Exclusief openen van %1").arg(m_schema.fileName));
    }
    m_connection = &connection;
    m_loaded = false;
    m_rows.clear();
    m_tail = {};
    m_rollbackListener = connection.addRollbackListener([this] { reloadAfterRollback(); });
    m_changeListener = connection.addChangeListener(m_schema, [this] { reloadChangedFile(); });
    setState(State::Browse);
    m_bof = true;
    m_eofPending = true; // eof: "empty", as the rows are when they are read
    m_bofPending = false;
    announceRowsReset(-1, 0);
}

void Table::close()
{
    if (!isOpen())
        return;
    try {
        checkBrowse();
    } catch (const Error &) {
        cancel(); // closing must not fail; the row that could not be stored is dropped
    }
    m_connection->removeRollbackListener(m_rollbackListener);
    m_connection->removeChangeListener(m_changeListener);
    m_rollbackListener = 0;
    m_changeListener = 0;
    m_insertStatement.reset();
    m_updateStatement.reset();
    m_connection = nullptr;
    m_rows.clear();
    m_loaded = false;
    m_tail = {};
    m_current = -1;
    m_eof = m_bof = true;
    m_eofPending = m_bofPending = false;
    m_pendingRowid = -1;
    m_pendingFallback = 0;
    setState(State::Inactive);
    Q_EMIT rowsReset();
    Q_EMIT currentChanged(-1);
}

void Table::load()
{
    QStringList columns{QStringLiteral("rowid")};
    for (const FieldDef &f : m_schema.fields)
        columns << quoted(f.name);
    const bool ordered = m_schema.key == KeyKind::None;
    if (ordered)
        columns << quoted(QString::fromLatin1(orderColumn));
    QString sql
        = QStringLiteral("SELECT %1 FROM %2.%3").arg(columns.join(u','), m_connection->qualified(m_schema), quoted(m_schema.tableName));
    sql += ordered ? QStringLiteral(" ORDER BY %1").arg(quoted(QString::fromLatin1(orderColumn))) : QStringLiteral(" ORDER BY rowid");
    sql::Statement select(m_connection->handle(), sql);
    const int fieldCount = static_cast<int>(m_schema.fields.size());
    auto readRow = [&] {
        Row row;
        row.rowid = select.columnInt(0);
        row.values.reserve(fieldCount);
        for (int i = 0; i < fieldCount; ++i)
            row.values.append(fromStored(m_schema.fields[i], select.column(i + 1)));
        if (ordered)
            row.order = select.columnDouble(fieldCount + 1);
        return row;
    };
    auto shown = [this](const Row &row) { return passes(row.values); };
    // Built aside: when reading fails half way, the rows held stay as they were.
    RowTree rows;
    if (m_schema.key == KeyKind::UniqueText) {
        // Members by name: the file gives them by identity.
        std::vector<Row> read;
        while (select.step())
            read.push_back(readRow());
        std::stable_sort(read.begin(), read.end(), [this](const Row &a, const Row &b) { return lessByKey(a, b); });
        rows.assign(std::move(read), shown);
    } else {
        // The file gives them in browse order: straight into the tree.
        rows.startBuilding(m_loaded ? static_cast<size_t>(m_rows.size()) : static_cast<size_t>(m_tail.count.value_or(0)));
        while (select.step()) {
            Row row = readRow();
            const bool pass = shown(row);
            rows.add(std::move(row), pass);
        }
        rows.finishBuilding();
    }
    m_rows = std::move(rows);
}

void Table::loadRows()
{
    load();
    m_loaded = true;
    m_tail = {};
    const int count = m_rows.shownCount();
    const int shown = m_pendingRowid >= 0 ? shownIndexOf(m_pendingRowid) : -1;
    m_current = count == 0 ? -1 : std::clamp(shown >= 0 ? shown : m_pendingFallback, 0, count - 1);
    if (m_eofPending)
        m_eof = count == 0;
    if (m_bofPending)
        m_bof = count == 0;
    m_eofPending = m_bofPending = false;
}

void Table::ensureLoaded() const
{
    if (!m_loaded && m_state != State::Inactive)
        const_cast<Table *>(this)->loadRows();
}

qint64 Table::storedCount() const
{
    if (!m_tail.count) {
        sql::Statement count(
            m_connection->handle(),
            QStringLiteral("SELECT count(*) FROM %1.%2").arg(m_connection->qualified(m_schema), quoted(m_schema.tableName)));
        m_tail.count = count.step() ? count.columnInt(0) : 0;
    }
    return *m_tail.count;
}

const Table::Tail &Table::storedLast() const
{
    if (m_tail.lastKnown)
        return m_tail;
    // Tables without key end with their highest order value (SQLite takes the bare rowid
    // from the row holding the one max()); numbered tables with their highest number.
    const QString table = m_connection->qualified(m_schema) + u'.' + quoted(m_schema.tableName);
    const QString sql = m_schema.key == KeyKind::None
        ? QStringLiteral("SELECT rowid, max(%1) FROM %2").arg(quoted(QString::fromLatin1(orderColumn)), table)
        : QStringLiteral("SELECT max(rowid), 0 FROM %1").arg(table);
    sql::Statement last(m_connection->handle(), sql);
    m_tail.lastRowid = -1;
    m_tail.lastOrder = 0;
    if (last.step() && last.column(1).isValid() && last.column(0).isValid()) {
        m_tail.lastRowid = last.columnInt(0);
        m_tail.lastOrder = last.columnDouble(1);
    }
    m_tail.lastKnown = true;
    return m_tail;
}

bool Table::listened() const
{
    // A bound control reads the rows as soon as it hears of them; a table nobody listens to
    // can wait with reading until it is asked.
    static const QMetaMethod reset = QMetaMethod::fromSignal(&Table::rowsReset);
    static const QMetaMethod current = QMetaMethod::fromSignal(&Table::currentChanged);
    static const QMetaMethod changed = QMetaMethod::fromSignal(&Table::rowChanged);
    return isSignalConnected(reset) || isSignalConnected(current) || isSignalConnected(changed);
}

bool Table::lessByKey(const Row &a, const Row &b) const
{
    switch (m_schema.key) {
    case KeyKind::UniqueText: {
        const QString ka = a.values[0].toString(), kb = b.values[0].toString();
        const int c = ka.compare(kb, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : ka < kb;
    }
    case KeyKind::AutoInc:
        return a.rowid < b.rowid;
    case KeyKind::None:
        return a.order < b.order;
    }
    return false;
}

RowTree::Less Table::lessFunction() const
{
    return [this](const Row &a, const Row &b) { return lessByKey(a, b); };
}

bool Table::passes(const Values &values) const
{
    return !m_filtered || !m_condition || m_condition(values);
}

RowTree::Node Table::rowNode(qint64 rowid) const
{
    // The current row is the one asked for most often.
    const RowTree::Node current = m_current >= 0 ? m_rows.shownAt(m_current) : RowTree::none;
    return m_rows.find(rowid, current);
}

int Table::shownIndexOf(qint64 rowid) const
{
    return m_rows.shownIndexOf(rowNode(rowid));
}

qint64 Table::currentRowid() const
{
    ensureLoaded();
    return m_current >= 0 ? m_rows.row(m_rows.shownAt(m_current)).rowid : -1;
}

bool Table::eof() const
{
    if (m_eofPending)
        ensureLoaded();
    return m_eof;
}

bool Table::bof() const
{
    if (m_bofPending)
        ensureLoaded();
    return m_bof;
}

int Table::recordCount() const
{
    ensureLoaded();
    return m_rows.shownCount();
}

int Table::totalCount() const
{
    if (!isOpen())
        return 0;
    if (m_loaded)
        return m_rows.size();
    return static_cast<int>(storedCount());
}

int Table::currentRow() const
{
    ensureLoaded();
    return m_current;
}

void Table::setCurrent(int row)
{
    const int count = recordCount();
    row = count == 0 ? -1 : std::clamp(row, 0, count - 1);
    if (row == m_current)
        return;
    m_current = row;
    Q_EMIT currentChanged(row);
}

void Table::announceRowsReset(qint64 rowid, int fallback)
{
    if (!m_loaded) {
        // The cursor goes there when the rows are read; a listener reads them now.
        m_pendingRowid = rowid;
        m_pendingFallback = fallback;
        if (!isOpen() || !listened())
            return;
        loadRows();
        Q_EMIT rowsReset();
        Q_EMIT currentChanged(m_current);
        return;
    }
    announceAt(rowid >= 0 ? shownIndexOf(rowid) : -1, fallback);
}

void Table::announceAt(int shown, int fallback)
{
    // The cursor is valid again before anyone hears of the change: a bound control that
    // reads the current row on rowsReset must never see it past the end.
    const int count = m_rows.shownCount();
    m_current = count == 0 ? -1 : std::clamp(shown >= 0 ? shown : fallback, 0, count - 1);
    Q_EMIT rowsReset();
    Q_EMIT currentChanged(m_current);
}

void Table::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void Table::checkBrowse()
{
    if (isEditing())
        post();
}

void Table::first()
{
    requireOpen();
    checkBrowse();
    ensureLoaded();
    setCurrent(0);
    m_bof = true;
    m_eof = isEmpty();
}

void Table::last()
{
    requireOpen();
    checkBrowse();
    ensureLoaded();
    setCurrent(recordCount() - 1);
    m_eof = true;
    m_bof = isEmpty();
}

void Table::next()
{
    requireOpen();
    checkBrowse();
    ensureLoaded();
    m_bof = false;
    if (m_current + 1 >= recordCount()) {
        m_eof = true;
        return;
    }
    setCurrent(m_current + 1);
    m_eof = false;
}

void Table::prior()
{
    requireOpen();
    checkBrowse();
    ensureLoaded();
    m_eof = false;
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    setCurrent(m_current - 1);
    m_bof = false;
}

void Table::moveTo(int row)
{
    requireOpen();
    checkBrowse();
    ensureLoaded();
    setCurrent(row);
    m_eof = isEmpty();
    m_bof = isEmpty();
}

Table::Values Table::emptyValues() const
{
    Values values;
    for (const FieldDef &f : m_schema.fields)
        values.append(m_schema.key == KeyKind::UniqueText && &f == &m_schema.fields.front() ? QVariant(QString()) : QVariant());
    return values;
}

void Table::append()
{
    requireOpen();
    checkBrowse();
    m_buffer = emptyValues();
    m_insertBefore = false;
    setState(State::Insert);
}

void Table::insert()
{
    requireOpen();
    checkBrowse();
    m_buffer = emptyValues();
    m_insertBefore = m_schema.key == KeyKind::None && currentRow() >= 0;
    setState(State::Insert);
}

void Table::edit()
{
    requireOpen();
    if (isEditing())
        return;
    if (isEmpty()) {
        append();
        return;
    }
    m_editNode = m_rows.shownAt(m_current);
    m_buffer = m_rows.row(m_editNode).values;
    m_editRowid = m_rows.row(m_editNode).rowid;
    setState(State::Edit);
}

void Table::cancel()
{
    if (!isEditing())
        return;
    m_buffer.clear();
    setState(State::Browse);
    if (!m_loaded && !listened())
        return; // nothing shown, nothing to show again
    ensureLoaded();
    Q_EMIT currentChanged(m_current); // bound controls show the stored values again
}

QString Table::insertSql() const
{
    QStringList columns, marks;
    for (const FieldDef &f : m_schema.fields) {
        if (f.type == FieldType::AutoInc)
            continue;
        columns << quoted(f.name);
        marks << QStringLiteral("?");
    }
    if (m_schema.key == KeyKind::None) {
        columns << quoted(QString::fromLatin1(orderColumn));
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1.%2 (%3) VALUES (%4)")
        .arg(m_connection->qualified(m_schema), quoted(m_schema.tableName), columns.join(u','), marks.join(u','));
}

QString Table::updateSql() const
{
    QStringList sets;
    for (const FieldDef &f : m_schema.fields)
        if (f.type != FieldType::AutoInc)
            sets << quoted(f.name) + QStringLiteral("=?");
    return QStringLiteral("UPDATE %1.%2 SET %3 WHERE rowid=?")
        .arg(m_connection->qualified(m_schema), quoted(m_schema.tableName), sets.join(u','));
}

sql::Statement &Table::insertStatement()
{
    if (!m_insertStatement)
        m_insertStatement = std::make_unique<sql::Statement>(m_connection->handle(), insertSql());
    return *m_insertStatement;
}

sql::Statement &Table::updateStatement()
{
    if (!m_updateStatement)
        m_updateStatement = std::make_unique<sql::Statement>(m_connection->handle(), updateSql());
    return *m_updateStatement;
}

void Table::failPost()
{
    sqlite3 *db = m_connection->handle();
    const int code = sql::extendedErrorCode(db);
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw Error(QStringLiteral("Er bestaat al een lid met de naam \"%1\". Een naam kan maar één keer voorkomen; "
                                   "kies een andere naam (bijvoorbeeld met een voorletter).")
                        .arg(m_buffer.value(0).toString()));
    sql::fail(db, code, QStringLiteral("Opslaan in %1").arg(m_schema.fileName));
}

namespace {
int bindValues(sql::Statement &stmt, const TableSchema &schema, const Table::Values &values)
{
    int column = 1;
    for (size_t i = 0; i < schema.fields.size(); ++i)
        if (schema.fields[i].type != FieldType::AutoInc)
            stmt.bind(column++, values[static_cast<int>(i)]);
    return column;
}
} // namespace

double Table::orderForNewRow()
{
    if (m_rows.size() == 0)
        return 1;
    if (!m_insertBefore || m_current < 0)
        return m_rows.row(m_rows.last()).order + 1;
    const RowTree::Node k = m_rows.shownAt(m_current);
    const RowTree::Node previous = m_rows.previous(k);
    const double after = m_rows.row(k).order;
    const double before = previous != RowTree::none ? m_rows.row(previous).order : after - 2;
    const double middle = before + (after - before) / 2;
    if (middle > before && middle < after)
        return middle;
    renumberOrder();
    return orderForNewRow();
}

void Table::renumberOrder()
{
    Transaction transaction(*m_connection);
    sql::Statement update(
        m_connection->handle(),
        QStringLiteral("UPDATE %1.%2 SET %3=? WHERE rowid=?")
            .arg(m_connection->qualified(m_schema), quoted(m_schema.tableName), quoted(QString::fromLatin1(orderColumn))));
    int i = 0;
    for (RowTree::Node n = m_rows.first(); n != RowTree::none; n = m_rows.next(n)) {
        update.bind(1, static_cast<double>(++i) * 2).bind(2, m_rows.row(n).rowid);
        update.run();
        update.reset();
    }
    transaction.commit();
    i = 0;
    for (RowTree::Node n = m_rows.first(); n != RowTree::none; n = m_rows.next(n))
        m_rows.row(n).order = static_cast<double>(++i) * 2;
}

void Table::postInsert()
{
    // A row appended to a table whose rows are not read yet goes to the file only (after
    // the last row by the file's count and order), unless a filter must decide whether it
    // shows: a journal takes a booking without reading every earlier one.
    const bool unread = !m_loaded && !m_insertBefore && !filterActive();
    if (!unread)
        ensureLoaded();
    const bool numbered = m_schema.key != KeyKind::UniqueText; // its last row is known by the file
    const bool knowEdges = unread && (m_eofPending || m_bofPending);
    const bool wasEmpty = knowEdges && (numbered ? storedLast().lastRowid < 0 : storedCount() == 0);
    Row row;
    row.values = m_buffer;
    if (m_schema.key == KeyKind::None)
        row.order = unread ? (storedLast().lastRowid < 0 ? 1 : storedLast().lastOrder + 1) : orderForNewRow();
    sql::Statement &stmt = insertStatement();
    const int next = bindValues(stmt, m_schema, row.values);
    if (m_schema.key == KeyKind::None)
        stmt.bind(next, row.order);
    try {
        stmt.run();
    } catch (const Error &) {
        failPost();
    }
    row.rowid = sqlite3_last_insert_rowid(m_connection->handle());
    if (m_schema.key == KeyKind::AutoInc)
        row.values[0] = row.rowid;
    m_buffer.clear();
    if (unread) {
        // As if the rows had been read when the table opened: eof still says "empty" then.
        if (m_eofPending)
            m_eof = wasEmpty;
        if (m_bofPending)
            m_bof = wasEmpty;
        m_eofPending = m_bofPending = false;
        if (m_tail.count)
            ++*m_tail.count;
        if (numbered) {
            // Placed after the last row (the highest order, or the highest number).
            m_tail.lastKnown = true;
            m_tail.lastRowid = row.rowid;
            m_tail.lastOrder = row.order;
        }
        setState(State::Browse);
        announceRowsReset(row.rowid, std::numeric_limits<int>::max());
        return;
    }
    const bool visible = passes(row.values);
    const RowTree::Node node = m_rows.insert(std::move(row), visible, lessFunction());
    setState(State::Browse);
    announceAt(m_rows.shownIndexOf(node), m_rows.shownCount() - 1);
}

void Table::postEdit()
{
    // The row is found by its identity, not by the cursor: rows read afresh meanwhile
    // may have moved it.
    ensureLoaded();
    RowTree::Node node = m_rows.find(m_editRowid, m_editNode);
    if (node == RowTree::none) {
        cancel();
        throw Error(QStringLiteral("Deze rij van %1 is intussen door een ander programma verwijderd; "
                                   "de wijziging is niet opgeslagen.")
                        .arg(m_schema.fileName));
    }
    sql::Statement &stmt = updateStatement();
    const int next = bindValues(stmt, m_schema, m_buffer);
    stmt.bind(next, m_rows.row(node).rowid);
    try {
        stmt.run();
    } catch (const Error &) {
        failPost();
    }
    Row &stored = m_rows.row(node);
    const bool keyChanged = m_schema.key == KeyKind::UniqueText && stored.values[0] != m_buffer[0];
    const bool wasVisible = m_current >= 0 && m_rows.shownAt(m_current) == node;
    const bool visible = passes(m_buffer);
    stored.values = std::move(m_buffer);
    m_buffer.clear();
    setState(State::Browse);
    if (!keyChanged && visible && wasVisible) {
        Q_EMIT rowChanged(m_current);
        Q_EMIT currentChanged(m_current);
        return;
    }
    if (keyChanged)
        node = m_rows.insert(m_rows.take(node), visible, lessFunction());
    else
        m_rows.setShown(node, visible);
    announceAt(m_rows.shownIndexOf(node), m_current);
}

void Table::post()
{
    requireOpen();
    if (m_state == State::Insert)
        postInsert();
    else if (m_state == State::Edit)
        postEdit();
}

void Table::remove()
{
    requireOpen();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (isEmpty())
        return;
    removeRow(currentRowid());
}

void Table::removeRow(qint64 rowid)
{
    requireOpen();
    checkBrowse();
    Transaction transaction(*m_connection);
    ensureLoaded();
    // The row meant is the one the user saw; when another program removed it meanwhile,
    // nothing else is deleted in its place.
    const RowTree::Node node = rowNode(rowid);
    if (node == RowTree::none)
        throw Error(QStringLiteral("Deze rij van %1 is intussen door een ander programma verwijderd.").arg(m_schema.fileName));
    sql::Statement stmt(
        m_connection->handle(),
        QStringLiteral("DELETE FROM %1.%2 WHERE rowid=?").arg(m_connection->qualified(m_schema), quoted(m_schema.tableName)));
    stmt.bind(1, rowid);
    stmt.run(QStringLiteral("Verwijderen uit %1").arg(m_schema.fileName));
    transaction.commit();
    const int shownAt = m_rows.shownIndexOf(node);
    m_rows.take(node);
    const int old = shownAt >= 0 ? shownAt : m_current;
    m_eof = isEmpty();
    announceAt(-1, old);
}

bool Table::locate(qint64 rowid)
{
    requireOpen();
    checkBrowse();
    ensureLoaded();
    const int shown = shownIndexOf(rowid);
    if (shown < 0)
        return false;
    setCurrent(shown);
    m_eof = m_bof = false;
    return true;
}

void Table::refresh()
{
    requireOpen();
    checkBrowse();
    if (!m_loaded) {
        m_tail = {}; // read again when asked
        announceRowsReset(m_pendingRowid, m_pendingFallback);
        return;
    }
    const qint64 rowid = currentRowid();
    const int old = m_current;
    load();
    announceRowsReset(rowid, old);
}

void Table::reloadStored()
{
    requireOpen();
    cancel();
    m_rows.clear();
    m_loaded = false;
    m_tail = {};
    m_current = -1;
    m_bof = true;
    m_eofPending = true;
    m_bofPending = false;
    m_pendingRowid = -1;
    m_pendingFallback = 0;
    announceRowsReset(-1, 0);
}

void Table::flush()
{
    if (isOpen())
        checkBrowse();
}

void Table::emptyTable()
{
    requireOpen();
    cancel();
    sql::exec(m_connection->handle(),
              QStringLiteral("DELETE FROM %1.%2").arg(m_connection->qualified(m_schema), quoted(m_schema.tableName)),
              QStringLiteral("Leegmaken van %1").arg(m_schema.fileName));
    m_rows.clear();
    m_loaded = true; // known: there are none
    m_tail = {};
    m_eof = m_bof = true;
    m_eofPending = m_bofPending = false;
    announceRowsReset(-1, -1);
}

void Table::reloadAfterRollback()
{
    if (!isOpen())
        return;
    // The action that failed is undone as a whole, including a row it was placing.
    if (!m_loaded) {
        m_tail = {};
        if (isEditing()) {
            m_buffer.clear();
            setState(State::Browse);
        }
        announceRowsReset(m_pendingRowid, m_pendingFallback);
        return;
    }
    const qint64 rowid = currentRowid();
    const int old = m_current;
    load();
    if (isEditing()) {
        m_buffer.clear();
        setState(State::Browse);
    }
    announceRowsReset(rowid, old);
}

void Table::reloadChangedFile()
{
    if (!isOpen())
        return;
    if (!m_loaded) {
        m_tail = {}; // the count and the last row are read again when asked
        announceRowsReset(m_pendingRowid, m_pendingFallback);
        return;
    }
    // A row being edited keeps its buffer: it is stored by its identity when posted.
    const qint64 rowid = currentRowid();
    const int old = m_current;
    load();
    announceRowsReset(rowid, old);
}

void Table::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    m_filtered = on;
    applyFilter();
}

void Table::setCondition(Condition condition)
{
    m_condition = std::move(condition);
    applyFilter();
}

void Table::applyFilter()
{
    if (!isOpen())
        return;
    checkBrowse();
    if (!m_loaded) {
        // Applied when the rows are read; the cursor keeps its row when that passes.
        m_eofPending = m_bofPending = true;
        announceRowsReset(m_pendingRowid, 0);
        return;
    }
    const qint64 rowid = currentRowid();
    m_rows.refilter([this](const Row &row) { return passes(row.values); });
    m_eof = m_bof = isEmpty();
    announceRowsReset(rowid, 0);
}

void Table::addLookup(const QString &name, Lookup lookup)
{
    m_lookups.emplace_back(name, std::move(lookup));
}

int Table::lookupIndex(QStringView name) const
{
    for (size_t i = 0; i < m_lookups.size(); ++i)
        if (m_lookups[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int Table::fieldIndex(QStringView name) const
{
    const int index = m_schema.indexOf(name);
    if (index < 0 && lookupIndex(name) < 0)
        throw Error(QStringLiteral("De tabel %1 heeft geen veld %2.").arg(m_schema.fileName, name.toString()));
    return index;
}

const Table::Values &Table::currentValues() const
{
    return m_rows.row(m_rows.shownAt(m_current)).values;
}

QVariant Table::currentValue(int field) const
{
    if (isEditing())
        return m_buffer.value(field);
    if (currentRow() < 0)
        return {};
    return currentValues().value(field);
}

QVariant Table::value(QStringView name) const
{
    requireOpen();
    const int index = m_schema.indexOf(name);
    if (index >= 0)
        return currentValue(index);
    const int lookup = lookupIndex(name);
    if (lookup < 0)
        fieldIndex(name); // throws the unknown-field error
    if (!isEditing() && currentRow() < 0)
        return {};
    return m_lookups[lookup].second(isEditing() ? m_buffer : currentValues());
}

QString Table::text(QStringView name) const
{
    const QVariant v = value(name);
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nee");
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

double Table::number(QStringView name) const
{
    const QVariant v = value(name);
    if (v.typeId() == QMetaType::QString)
        return AmountFormat::current().parse(v.toString()).value_or(0.0);
    return v.toDouble();
}

qint64 Table::integer(QStringView name) const
{
    return std::llround(number(name));
}

QDate Table::date(QStringView name) const
{
    return value(name).toDate();
}

QTime Table::time(QStringView name) const
{
    return value(name).toTime();
}

bool Table::boolean(QStringView name) const
{
    return value(name).toBool();
}

QVariant Table::converted(const FieldDef &field, const QVariant &value) const
{
    const bool isKey = m_schema.key == KeyKind::UniqueText && &field == &m_schema.fields.front();
    if (!value.isValid() || value.isNull())
        return isKey ? QVariant(QString()) : QVariant();
    switch (field.type) {
    case FieldType::Text: {
        const QString text = value.toString();
        fieldlength::check(field, text);
        return text.isEmpty() && !isKey ? QVariant() : QVariant(text);
    }
    case FieldType::Memo:
        return value.toString().isEmpty() ? QVariant() : QVariant(value.toString());
    case FieldType::Date: {
        if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
            return value.toDate().isValid() ? QVariant(value.toDate()) : QVariant();
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        const QDate d = parseDate(text);
        if (!d.isValid())
            throw Error(QStringLiteral("\"%1\" is geen geldige datum voor het veld %2; gebruik dag-maand-jaar, bijvoorbeeld 31-12-1980.")
                            .arg(text, field.name));
        return d;
    }
    case FieldType::Time: {
        if (value.typeId() == QMetaType::QTime || value.typeId() == QMetaType::QDateTime)
            return value.toTime();
        const QTime t = QTime::fromString(value.toString(), QStringLiteral("HH:mm:ss"));
        if (!t.isValid())
            throw Error(QStringLiteral("\"%1\" is geen geldige tijd voor het veld %2.").arg(value.toString(), field.name));
        return t;
    }
    case FieldType::Boolean:
        return value.toBool();
    case FieldType::AutoInc:
        throw Error(QStringLiteral("Het veld %1 wordt door de tabel zelf genummerd.").arg(field.name));
    case FieldType::Currency:
    case FieldType::Float: {
        double number = value.toDouble();
        if (value.typeId() == QMetaType::QString) {
            const auto amount = AmountFormat::current().parse(value.toString());
            if (!amount)
                throw Error(QStringLiteral("\"%1\" is geen geldig bedrag voor het veld %2.").arg(value.toString(), field.name));
            number = *amount;
        }
        // SQLite would store a NaN as NULL and an infinity as a number no sum survives.
        if (!std::isfinite(number))
            throw Error(QStringLiteral("Het veld %1 kan alleen een eindig getal bevatten.").arg(field.name));
        return number;
    }
    }
    return value;
}

void Table::setValue(QStringView name, const QVariant &value)
{
    requireOpen();
    if (!isEditing())
        throw Error(
            QStringLiteral("De tabel %1 is niet in bewerking; wijzigen kan alleen na Bewerken of Toevoegen.").arg(m_schema.fileName));
    const int index = fieldIndex(name);
    if (index < 0)
        throw Error(QStringLiteral("Het veld %1 wordt afgeleid en kan niet worden gewijzigd.").arg(name.toString()));
    m_buffer[index] = converted(m_schema.fields[index], value);
}

const Table::Values &Table::rowValues(int row) const
{
    if (row < 0 || row >= recordCount())
        throw std::out_of_range("Table::rowValues");
    return m_rows.row(m_rows.shownAt(row)).values;
}

qint64 Table::rowidAt(int row) const
{
    if (row < 0 || row >= recordCount())
        throw std::out_of_range("Table::rowidAt");
    return m_rows.row(m_rows.shownAt(row)).rowid;
}

QVariant Table::valueAt(int row, int field) const
{
    if (row < 0 || row >= recordCount())
        return {};
    if (row == m_current && m_state == State::Edit)
        return m_buffer.value(field);
    return m_rows.row(m_rows.shownAt(row)).values.value(field);
}

QVariant Table::valueAt(int row, QStringView name) const
{
    const int index = m_schema.indexOf(name);
    if (index >= 0)
        return valueAt(row, index);
    const int lookup = lookupIndex(name);
    if (lookup < 0 || row < 0 || row >= recordCount())
        return {};
    return m_lookups[lookup].second(m_rows.row(m_rows.shownAt(row)).values);
}

QVariant Table::lastValue(QStringView name) const
{
    requireOpen();
    const int field = m_schema.indexOf(name);
    if (field < 0) {
        fieldIndex(name); // throws for an unknown field
        throw Error(QStringLiteral("Het veld %1 wordt afgeleid en staat niet in %2.").arg(name.toString(), m_schema.fileName));
    }
    if (m_loaded || m_schema.key == KeyKind::UniqueText) {
        ensureLoaded();
        const RowTree::Node last = m_rows.last();
        return last == RowTree::none ? QVariant() : m_rows.row(last).values.value(field);
    }
    const Tail &end = storedLast();
    if (end.lastRowid < 0)
        return {};
    sql::Statement select(m_connection->handle(),
                          QStringLiteral("SELECT %1 FROM %2.%3 WHERE rowid=?")
                              .arg(quoted(m_schema.fields[field].name), m_connection->qualified(m_schema), quoted(m_schema.tableName)));
    select.bind(1, end.lastRowid);
    return select.step() ? fromStored(m_schema.fields[field], select.column(0)) : QVariant();
}

} // namespace zelk
