#include "boundgrid.h"

#include "messages.h"
#include "recordnavigator.h"
#include "zelkerror.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace zelk {

namespace {
// Red on white for the selected row, bold while the grid has no focus.
class SelectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected))
            return;
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            option->palette.setColor(group, QPalette::Highlight, Qt::white);
            option->palette.setColor(group, QPalette::HighlightedText, Qt::red);
        }
        const auto *view = qobject_cast<const QWidget *>(parent());
        if (view && !view->hasFocus())
            option->font.setBold(true);
    }
};
} // namespace

BoundGrid::BoundGrid(Table &table, QList<GridColumn> columns, QWidget *parent)
    : QTableView(parent), m_table(table), m_model(new TableModel(table, std::move(columns), this))
{
    setObjectName(QStringLiteral("grid"));
    setModel(m_model);
    setItemDelegate(new SelectionDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab goes on to the next control; the arrow keys move in the grid
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->hide();

    connect(&table, &Table::currentChanged, this, &BoundGrid::showCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, &BoundGrid::showCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_fittedToRows && isVisible())
            fitColumns(); // the first rows arrived after the grid was shown
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &BoundGrid::userSelected);
    connect(this, &QAbstractItemView::clicked, this, &BoundGrid::userClicked);
    showCurrent();
}

QRect BoundGrid::rowRect(int row) const
{
    return visualRect(m_model->index(row, std::min(1, m_model->columnCount() - 1)));
}

void BoundGrid::showCurrent()
{
    m_following = true;
    const int row = m_table.isOpen() ? m_table.currentRow() : -1;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex index = m_model->index(row, std::max(currentIndex().column(), 0));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_following = false;
}

void BoundGrid::userSelected(const QModelIndex &index)
{
    if (m_following || !index.isValid() || index.row() == m_table.currentRow())
        return;
    int wanted = index.row();
    const Table::Values pointedAt = m_table.rowValues(wanted);
    try {
        if (m_before && !m_before()) {
            showCurrent();
            return;
        }
        // Saving first may have re-sorted the rows: look the row the user pointed at up
        // again by its values.
        if (wanted >= m_table.recordCount() || m_table.rowValues(wanted) != pointedAt)
            for (int row = 0; row < m_table.recordCount(); ++row)
                if (m_table.rowValues(row) == pointedAt) {
                    wanted = row;
                    break;
                }
        m_table.moveTo(std::min(wanted, m_table.recordCount() - 1));
    } catch (const Error &e) {
        showError(window(), e.message());
    }
    showCurrent();
    Q_EMIT changedTable();
}

void BoundGrid::userClicked(const QModelIndex &index)
{
    // Pressing the button already made the row current (or a refused change kept the old one).
    if (index.isValid() && m_table.isOpen() && index.row() == m_table.currentRow())
        Q_EMIT rowClicked(index.row());
}

void BoundGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && m_deleteAllowed && event->modifiers() == Qt::NoModifier) {
        if (!m_table.isEmpty() && confirmDeleteRecord(this)) {
            attempt(window(), [&] { m_table.remove(); });
            Q_EMIT changedTable();
        }
        return;
    }
    // Space or Return takes the current row as a click on it does.
    const bool take = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (take && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (m_table.isOpen() && m_table.currentRow() >= 0 && !event->isAutoRepeat())
            Q_EMIT rowClicked(m_table.currentRow());
        return;
    }
    QTableView::keyPressEvent(event);
}

void BoundGrid::fitColumns()
{
    // Only the rows from the top one shown are read, so a big table costs no more than a
    // small one.
    const int rows = m_model->rowCount();
    const int first = rows > 0 ? std::max(0, rowAt(0)) : 0;
    const int page = viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()) + 1;
    const int last = std::min(rows, first + std::max(page, sampledRows));
    QHeaderView *header = horizontalHeader();
    // The selected row is drawn bold while the grid has no focus: measured so, it is not cut.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2) + (showGrid() ? 1 : 0);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const bool stretched = header->sectionResizeMode(column) == QHeaderView::Stretch
            || (header->stretchLastSection() && column == m_model->columnCount() - 1);
        if (stretched || header->isSectionHidden(column))
            continue;
        int width = header->sectionSizeHint(column);
        for (int row = first; row < last; ++row) {
            const QModelIndex index = m_model->index(row, column);
            width = std::max(
                {width, sizeHintForIndex(index).width() + padding, boldMetrics.horizontalAdvance(index.data().toString()) + padding});
        }
        header->resizeSection(column, std::clamp(width, minimumColumnWidth, maximumColumnWidth));
    }
    m_fittedToRows = rows > 0;
}

void BoundGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    fitColumns();
}

void BoundGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void BoundGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

} // namespace zelk
