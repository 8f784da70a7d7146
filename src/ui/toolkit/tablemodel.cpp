#include "tablemodel.h"

#include "amountformat.h"
#include "store/table.h"

#include <QDate>

namespace zelk {

TableModel::TableModel(Table &table, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns))
{
    connect(&m_table, &Table::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&m_table, &Table::rowChanged, this, [this](int row) {
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
    return value.toString();
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table.isOpen() ? 0 : m_table.recordCount();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const GridColumn &column = m_columns[index.column()];
    if (role == Qt::DisplayRole)
        return shown(m_table.valueAt(index.row(), column.field), column.kind);
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
