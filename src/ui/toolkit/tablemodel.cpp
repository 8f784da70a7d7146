#include "tablemodel.h"

#include "amountformat.h"
#include "store/table.h"

#include <QDate>
#include <QTime>

namespace zelk {

QList<GridColumn> fieldColumns(const Table &table, const QStringList &fields)
{
    QList<GridColumn> columns;
    for (const QString &field : fields) {
        const int index = table.schema().indexOf(field);
        columns.append({field, index >= 0 ? table.schema().fields[index].name : field, GridColumn::Kind::Text});
    }
    return columns;
}

TableModel::TableModel(Table &table, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns))
{
    // Stored fields are looked up once: the grid asks for every visible cell on each paint.
    for (const GridColumn &column : std::as_const(m_columns))
        m_stored << table.schema().indexOf(column.field);
    // The table tells after the fact; a reset is what the views can follow then.
    connect(&m_table, &Table::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&m_table, &Table::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

QString TableModel::shown(const QVariant &value, GridColumn::Kind kind)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (kind) {
    case GridColumn::Kind::Date:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case GridColumn::Kind::Amount:
        return AmountFormat::current().display(value.toDouble());
    case GridColumn::Kind::Text:
        break;
    }
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nee");
    default:
        return value.toString();
    }
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table.isOpen() ? 0 : m_table.recordCount();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableModel::valueAt(int row, int column) const
{
    const int stored = m_stored[column];
    return stored >= 0 ? m_table.valueAt(row, stored) : m_table.valueAt(row, m_columns[column].field);
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size() || index.row() >= rowCount())
        return {};
    const GridColumn &column = m_columns[index.column()];
    if (role == Qt::DisplayRole)
        return shown(valueAt(index.row(), index.column()), column.kind);
    if (role == Qt::TextAlignmentRole && column.kind == GridColumn::Kind::Amount)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns[section].heading;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace zelk
