#pragma once
// A filter panel over a table object: one entry per field; a row passes when every
// filled-in entry occurs in the field as the grid shows it (letter case ignored).
// Screens switch filtering on when shown and off, with the entries cleared, when closed.
#include "tablemodel.h"

#include <QGroupBox>

class QLineEdit;

namespace zelk {

class FilterPanel : public QGroupBox {
    Q_OBJECT
public:
    // `wide` is the field whose entry gets the most room.
    FilterPanel(Table &table, QList<GridColumn> fields, const QString &wide, QWidget *parent = nullptr);

    QLineEdit *entry(const QString &field) const;
    // Filtering on with the criteria as they stand.
    void switchOn();
    // Criteria cleared, filtering off: other screens see the whole table.
    void switchOff();

private:
    void apply();
    Table &m_table;
    QList<GridColumn> m_fields;
    QList<QLineEdit *> m_entries;
    bool m_active = false;
};

} // namespace zelk
