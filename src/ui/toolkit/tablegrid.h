#pragma once
// A browsing grid bound to a table object: whole rows, no in-place editing, the current
// row of the table shown as the grid's current row (red on white, bold while the grid has
// no focus). Clicking a row, or moving with the keys, makes it the table's current row.
#include "tablemodel.h"

#include <QTableView>

namespace zelk {

class TableGrid : public QTableView {
    Q_OBJECT
public:
    TableGrid(Table &table, QList<GridColumn> columns, QWidget *parent = nullptr);
    TableModel *tableModel() const { return m_model; }
    // The rectangle of a row on the viewport, for clicking it.
    QRect rowRect(int row) const;

Q_SIGNALS:
    // The user clicked a row; it is already the table's current row.
    void rowClicked(int row);

private:
    void showCurrent(int row);
    TableModel *m_model;
};

} // namespace zelk
