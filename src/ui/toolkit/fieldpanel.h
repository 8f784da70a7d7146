#pragma once
// The common part of the find and filter panels: a titled group with one value box per
// field of a table, each with its own matching rule. A value is matched as the grid shows
// it (see TableModel::shown). All comparisons ignore case.
#include "beforechange.h"
#include "store/table.h"
#include "tablemodel.h"

#include <QGroupBox>
#include <QPointer>

class QLineEdit;

namespace zelk {

enum class Match {
    Contains,   // the typed text anywhere in the field
    StartsWith, // the field begins with the typed text
    Standard,   // the panels' own matching: the field begins with the typed text
};

struct FieldRule {
    QString field;
    Match match = Match::Standard;
    GridColumn::Kind shownAs = GridColumn::Kind::Text; // how the grid shows the field
    bool wide = false;                                 // side by side: this box gets the most room
};

enum class Arrangement {
    Stacked,    // one line per field, the field name before its box
    SideBySide, // the boxes in one line, each field name above its box
};

class FieldPanel : public QGroupBox {
    Q_OBJECT
public:
    FieldPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent = nullptr,
               Arrangement arrangement = Arrangement::Stacked);

    Table &table() const { return m_table; }
    QLineEdit *box(const QString &field) const;
    bool isBlank() const;
    // Empties every value box (without running the panel's action).
    void clear();
    void setBeforeChange(BeforeChange hook) { m_before = std::move(hook); }
    // Blanks before and after a typed value are not part of what is looked for.
    void setIgnoreOuterBlanks(bool on) { m_trim = on; }

    // A condition that is true for rows matching every typed value (all rows when blank).
    Table::Condition condition() const;

Q_SIGNALS:
    void valuesChanged();

protected:
    bool mayChange() const { return !m_before || m_before(); }

private:
    void addBox(const FieldRule &rule, Arrangement arrangement);
    QString typed(int box) const;

    Table &m_table;
    QList<FieldRule> m_rules;
    QList<QLineEdit *> m_boxes;
    BeforeChange m_before;
    bool m_clearing = false;
    bool m_trim = false;
};

} // namespace zelk
