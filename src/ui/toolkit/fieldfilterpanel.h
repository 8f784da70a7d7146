#pragma once
// A filter panel: the rows of the table that match every typed value are the only rows
// the table shows, to every grid, count and report, while filtering is on. Filters as
// the user types.
//
// Made from field rules, each box holds a text matched by its rule. Made from filter
// criteria (filtercriteria.h), a text criterion has one box, matched anywhere in the field
// ignoring case, and a range criterion over a number, amount or date has a from-box and a
// to-box, both inclusive, either of which may stay empty. A value that is no number or
// no date does not restrict; its box shows red with the reason as its tooltip.
#include "fieldpanel.h"
#include "filtercriteria.h"

namespace zelk {

class FieldFilterPanel : public FieldPanel {
    Q_OBJECT
public:
    FieldFilterPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent = nullptr,
                     Arrangement arrangement = Arrangement::Stacked);
    FieldFilterPanel(const QString &title, Table &table, const std::vector<FilterCriterion> &criteria, QWidget *parent = nullptr,
                     Arrangement arrangement = Arrangement::SideBySide);

    // On: the typed values restrict the table. Off: the condition is removed and the
    // table shows all rows again.
    void setFiltering(bool on);
    bool isFiltering() const { return m_on; }
    // Empties the boxes and lets all rows through again.
    void clearFilter();

    // The boxes of a criterion, by its label: the text box of a text criterion or the
    // from-box of a range, and the to-box of a range (null for a text criterion). They are
    // named "filter" and the label in small letters ("filteromschrijving"), a range's boxes
    // with "van" and "tot" after it ("filterdatumvan", "filterdatumtot").
    QLineEdit *fromBox(const QString &label) const;
    QLineEdit *toBox(const QString &label) const;
    const FilterCriteria &criteria() const { return m_criteria; }

    // The condition of every typed value: the rules' and the criteria's together.
    Table::Condition filterCondition() const;

private:
    struct CriterionBoxes {
        QLineEdit *from = nullptr;
        QLineEdit *to = nullptr;
    };
    void addCriterion(int index, Arrangement arrangement);
    QLineEdit *newBox(const QString &objectName);
    void readBoxes();
    void showProblems();
    int criterionIndex(const QString &label) const;
    void apply();

    FilterCriteria m_criteria;
    QList<CriterionBoxes> m_boxes;
    bool m_on = false;
    bool m_clearing = false;
};

} // namespace zelk
