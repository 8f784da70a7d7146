#pragma once
// A browse grid bound to a table object: it shows the rows the table shows, selects the
// table's current row and makes the row the user selects current. Whole rows are
// selected, columns can be widened, nothing is edited in place. The selected row is drawn
// red on white, and bold while the grid does not have the focus.
#include "beforechange.h"
#include "store/table.h"

#include <QTableView>

namespace zelk {

class TableGridModel;

class BoundGrid : public QTableView {
    Q_OBJECT
public:
    BoundGrid(Table &table, const QStringList &fields, QWidget *parent = nullptr);

    Table &table() const { return m_table; }
    TableGridModel *gridModel() const { return m_model; }
    // Lets the Delete key remove the current row after the question "Delete record?".
    void setDeleteAllowed(bool on) { m_deleteAllowed = on; }
    // Runs before the grid moves the table's cursor; false keeps the current row.
    void setBeforeChange(BeforeChange hook) { m_before = std::move(hook); }

Q_SIGNALS:
    // After the grid changed the table (moved its cursor or deleted a row).
    void changedTable();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showCurrent();
    void userSelected(const QModelIndex &index);

    Table &m_table;
    TableGridModel *m_model;
    BeforeChange m_before;
    bool m_deleteAllowed = false;
    bool m_following = false; // selecting because the table moved, not the user
};

} // namespace zelk
