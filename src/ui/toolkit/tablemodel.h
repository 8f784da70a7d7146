#pragma once
// A read-only item model over a table object: one row per row passing the table's filter,
// the given fields as columns. It follows the table's rowsReset and rowChanged signals, so
// every grid bound to the same table object shows the same rows.
#include <QAbstractTableModel>
#include <QList>

namespace zelk {

class Table;

struct GridColumn {
    enum class Kind { Text, Date, Amount };
    QString field;
    QString heading;
    Kind kind = Kind::Text;
};

// Plain columns for the given fields, each titled with the field's own name.
QList<GridColumn> fieldColumns(const Table &table, const QStringList &fields);

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(Table &table, QList<GridColumn> columns, QObject *parent = nullptr);

    Table &table() const { return m_table; }
    const QList<GridColumn> &columns() const { return m_columns; }
    // A stored value as the grid shows it: dates dd-MM-yyyy, times HH:mm:ss, amounts ",0.00",
    // marks Ja/Nee.
    static QString shown(const QVariant &value, GridColumn::Kind kind);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant valueAt(int row, int column) const;

    Table &m_table;
    QList<GridColumn> m_columns;
    QList<int> m_stored; // each column's stored field, -1 for a derived one
};

} // namespace zelk
