#pragma once
// A find panel: typing makes the first row that matches every typed value current;
// "Volgende" steps to the next matching row.
#include "fieldpanel.h"

class QPushButton;

namespace zelk {

class FindPanel : public FieldPanel {
    Q_OBJECT
public:
    FindPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent = nullptr);

    // Makes the first matching row at or after `from` current; false when none matches.
    bool findFrom(int from);
    bool findNext();
    // "Volgende".
    QPushButton *nextButton() const { return m_next; }

private:
    void findFirst();
    QPushButton *m_next;
};

} // namespace zelk
