#include "tablegrid.h"

#include "store/table.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace zelk {

namespace {
// The selected row in bold while the grid does not have the focus, so it stays easy to see.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        auto *view = qobject_cast<const QWidget *>(parent());
        if ((option->state & QStyle::State_Selected) && view && !view->hasFocus())
            option->font.setBold(true);
    }
};
} // namespace

TableGrid::TableGrid(Table &table, QList<GridColumn> columns, QWidget *parent)
    : QTableView(parent), m_model(new TableModel(table, std::move(columns), this))
{
    setModel(m_model);
    setItemDelegate(new RowDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(false);
    setStyleSheet(QStringLiteral("QTableView { selection-background-color: white; selection-color: red; }"));

    connect(&table, &Table::currentChanged, this, &TableGrid::showCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { showCurrent(m_model->table().currentRow()); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        Table &t = m_model->table();
        if (current.isValid() && t.isOpen() && current.row() != t.currentRow())
            t.moveTo(current.row());
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        Table &t = m_model->table();
        if (!index.isValid() || !t.isOpen())
            return;
        t.moveTo(index.row());
        Q_EMIT rowClicked(index.row());
    });
    showCurrent(table.isOpen() ? table.currentRow() : -1);
}

QRect TableGrid::rowRect(int row) const
{
    return visualRect(m_model->index(row, 1));
}

void TableGrid::showCurrent(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearCurrentIndex();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    if (currentIndex().row() != row)
        setCurrentIndex(index); // selects the row too
    scrollTo(index);
}

} // namespace zelk
