#pragma once
// A browse grid bound to a table object: it shows the rows the table shows, selects the
// table's current row and makes the row the user selects (by clicking or with the keys)
// current. Whole rows are selected, columns can be widened, nothing is edited in place.
// The selected row is drawn red on white, and bold while the grid does not have the focus.
// Each time the grid is shown its columns take the width of their heading and of the
// widest value among the rows shown (a page, at least sampledRows); Tab leaves the grid.
#include "beforechange.h"
#include "store/table.h"
#include "tablemodel.h"

#include <QTableView>

namespace zelk {

class BoundGrid : public QTableView {
    Q_OBJECT
public:
    // fieldColumns() gives plain columns titled with the field names.
    BoundGrid(Table &table, QList<GridColumn> columns, QWidget *parent = nullptr);

    Table &table() const { return m_table; }
    TableModel *tableModel() const { return m_model; }
    // The rectangle of a row on the viewport, for clicking it.
    QRect rowRect(int row) const;
    // Lets the Delete key remove the current row after the question "Delete record?".
    void setDeleteAllowed(bool on) { m_deleteAllowed = on; }
    // Runs before the grid moves the table's cursor; false keeps the current row.
    void setBeforeChange(BeforeChange hook) { m_before = std::move(hook); }
    // Sizes the columns to their headings and the rows shown; a stretched column keeps
    // its stretch. Runs whenever the grid is shown.
    void fitColumns();

    static constexpr int sampledRows = 40;
    static constexpr int minimumColumnWidth = 40;
    static constexpr int maximumColumnWidth = 320; // a long remark does not push the rest away

Q_SIGNALS:
    // After the grid changed the table (moved its cursor or deleted a row).
    void changedTable();
    // The user clicked a row, or pressed Space or Return on it; it is the table's current row.
    void rowClicked(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showCurrent();
    void userSelected(const QModelIndex &index);
    void userClicked(const QModelIndex &index);

    Table &m_table;
    TableModel *m_model;
    BeforeChange m_before;
    bool m_deleteAllowed = false;
    bool m_following = false;    // selecting because the table moved, not the user
    bool m_fittedToRows = false; // the columns were last fitted to rows, not to headings alone
};

} // namespace zelk
