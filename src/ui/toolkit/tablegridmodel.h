#pragma once
// A read-only item model over a table object: one row per row the table shows (through
// its filter), one column per chosen field, titled with the field name. It follows the
// table's rows as they change.
#include "store/table.h"

#include <QAbstractTableModel>

namespace zelk {

class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableGridModel(Table &table, const QStringList &fields, QObject *parent = nullptr);

    Table &table() const { return m_table; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A stored value as the grid shows it: dates as dd-MM-yyyy, marks as Ja/Nee.
    static QString displayText(const QVariant &value);

private:
    Table &m_table;
    QStringList m_titles;
    QList<int> m_fields;
};

} // namespace zelk
