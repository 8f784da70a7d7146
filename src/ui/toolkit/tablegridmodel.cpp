#include "tablegridmodel.h"

namespace zelk {

TableGridModel::TableGridModel(Table &table, const QStringList &fields, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
    for (const QString &f : fields) {
        const int index = table.fieldIndex(f);
        m_fields << index;
        m_titles << table.schema().fields[index].name;
    }
    // The table tells after the fact; a reset is what the views can follow then.
    connect(&table, &Table::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&table, &Table::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int TableGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table.isOpen() ? 0 : m_table.recordCount();
}

int TableGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_fields.size());
}

QString TableGridModel::displayText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nee");
    default:
        return value.toString();
    }
}

QVariant TableGridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return displayText(m_table.valueAt(index.row(), m_fields[index.column()]));
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_titles.value(section);
    return {};
}

} // namespace zelk
