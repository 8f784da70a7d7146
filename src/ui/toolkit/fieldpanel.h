#pragma once
// The common part of the find and filter panels: a titled group with one value box per
// field of a table, each with its own matching rule. All comparisons ignore case.
#include "beforechange.h"
#include "store/table.h"

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
};

class FieldPanel : public QGroupBox {
    Q_OBJECT
public:
    FieldPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent = nullptr);

    Table &table() const { return m_table; }
    QLineEdit *box(const QString &field) const;
    bool isBlank() const;
    // Empties every value box (without running the panel's action).
    void clear();
    void setBeforeChange(BeforeChange hook) { m_before = std::move(hook); }

    // A condition that is true for rows matching every typed value (all rows when blank).
    Table::Condition condition() const;

Q_SIGNALS:
    void valuesChanged();

protected:
    bool mayChange() const { return !m_before || m_before(); }

private:
    Table &m_table;
    QList<FieldRule> m_rules;
    QList<QLineEdit *> m_boxes;
    BeforeChange m_before;
    bool m_clearing = false;
};

} // namespace zelk
