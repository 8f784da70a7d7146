#pragma once
// A filter panel: the rows of the table that match every typed value are the only rows
// the table shows, to every grid, count and report, while filtering is on. Filters as
// the user types.
#include "fieldpanel.h"

namespace zelk {

class FieldFilterPanel : public FieldPanel {
    Q_OBJECT
public:
    FieldFilterPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent = nullptr,
                     Arrangement arrangement = Arrangement::Stacked);

    // On: the typed values restrict the table. Off: the condition is removed and the
    // table shows all rows again.
    void setFiltering(bool on);
    bool isFiltering() const { return m_on; }
    // Empties the boxes and lets all rows through again.
    void clearFilter();

private:
    void apply();
    bool m_on = false;
};

} // namespace zelk
