#pragma once
// A list screen: a task screen around a grid over one table object of the data module
// and, when it has filter criteria, a filter panel that narrows that same table object,
// so that the grid, the row count and the report printed from the screen always show the
// same rows.
//
// On show, filtering is switched on with the criteria as they stand (none the first time,
// so all rows show). On close, however the screen is closed, a pending change is stored
// first, then the criteria are cleared and filtering is switched off, so that every other
// screen sees the whole table again, and the caller shows again.
//
// The screen may be made before the data module exists (start-up creates the units in a
// fixed order): the grid and the panel are made when it is first shown, and build() then
// places them in the screen's own layout.
#include "filtercriteria.h"
#include "tablemodel.h"
#include "taskscreen.h"

#include <vector>

namespace zelk {

class BoundGrid;
class DataModule1;
class FieldFilterPanel;
class Table;

struct ListDeclaration {
    QString unit;
    QString caption;
    QString helpHeading;
    Table DataModule1::*table = nullptr;
    QList<GridColumn> columns;
    std::vector<FilterCriterion> criteria; // none: no filter panel
    QString filterTitle = QStringLiteral("  Filteren overzicht  ");
};

class ListScreen : public TaskScreen {
    Q_OBJECT
public:
    ListScreen(AppContext &context, ListDeclaration declaration);

    // Both exist from the first show on; the panel only when there are criteria.
    BoundGrid *grid() const { return m_grid; }
    FieldFilterPanel *filterPanel() const { return m_filter; }

    void setVisible(bool visible) override;

protected:
    DataModule1 &data() const;
    Table &table() const;

    // Places grid() and filterPanel() (and the screen's own controls) in a layout; runs
    // once, before the first show.
    virtual void build() = 0;
    // Stores what the user changed on the current row before the grid or the filter moves
    // the table's cursor, and before the screen closes; false keeps the current row. The
    // list screen itself changes nothing.
    virtual bool storePending() { return true; }

    void onShow() override;
    void onClose() override;

private:
    void ensureBuilt();

    ListDeclaration m_decl;
    BoundGrid *m_grid = nullptr;
    FieldFilterPanel *m_filter = nullptr;
};

} // namespace zelk
