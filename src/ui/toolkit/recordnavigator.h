#pragma once
// A record navigator: buttons that move a table's cursor (first, previous, next, last),
// start a new row, delete the current row (after "Delete record?") and re-read the table.
#include "beforechange.h"
#include "store/table.h"

#include <QWidget>

class QToolButton;

namespace zelk {

// The question before a row is deleted, with OK and Cancel (Cancel the default).
bool confirmDeleteRecord(QWidget *parent);

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    enum Action { First, Prior, Next, Last, Insert, Delete, Refresh };

    RecordNavigator(Table &table, const QList<Action> &actions, QWidget *parent = nullptr);

    QToolButton *button(Action action) const;
    // Runs before every action; false cancels the action.
    void setBeforeChange(BeforeChange hook) { m_before = std::move(hook); }
    // Performs an action as its button does.
    void perform(Action action);

    static QString hint(Action action);

Q_SIGNALS:
    void aboutToAct(zelk::RecordNavigator::Action action);
    void acted(zelk::RecordNavigator::Action action);

private:
    void updateButtons();
    Table &m_table;
    QHash<int, QToolButton *> m_buttons;
    BeforeChange m_before;
};

} // namespace zelk
