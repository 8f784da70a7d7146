#include "fieldfilterpanel.h"

#include "messages.h"
#include "zelkerror.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace zelk {

FieldFilterPanel::FieldFilterPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent,
                                   Arrangement arrangement)
    : FieldPanel(title, table, rules, parent, arrangement), m_criteria(std::vector<FilterCriterion>{})
{
    setObjectName(QStringLiteral("filterpanel"));
    connect(this, &FieldPanel::valuesChanged, this, &FieldFilterPanel::apply);
}

FieldFilterPanel::FieldFilterPanel(const QString &title, Table &table, const std::vector<FilterCriterion> &criteria, QWidget *parent,
                                   Arrangement arrangement)
    : FieldPanel(title, table, {}, parent, arrangement), m_criteria(criteria)
{
    setObjectName(QStringLiteral("filterpanel"));
    for (int i = 0; i < m_criteria.count(); ++i)
        addCriterion(i, arrangement);
    connect(this, &FieldPanel::valuesChanged, this, &FieldFilterPanel::apply);
}

QLineEdit *FieldFilterPanel::newBox(const QString &objectName)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    connect(box, &QLineEdit::textChanged, this, [this] {
        if (m_clearing)
            return;
        readBoxes();
        Q_EMIT valuesChanged();
    });
    return box;
}

void FieldFilterPanel::addCriterion(int index, Arrangement arrangement)
{
    const FilterCriterion &c = m_criteria.criteria()[index];
    // "filteromschrijving", "filterdatumvan", "filterdatumtot": apart from the screen's own
    // edit boxes, which may carry a field's name.
    const QString name = QStringLiteral("filter") + c.label.toLower().remove(u' ');
    CriterionBoxes boxes;
    QWidget *entry = nullptr;
    if (!c.isRange()) {
        boxes.from = newBox(name);
        const int field = table().schema().indexOf(c.field);
        if (field >= 0 && table().schema().fields[field].size > 0)
            boxes.from->setMaxLength(table().schema().fields[field].size);
        entry = boxes.from;
    } else {
        entry = new QWidget(this);
        auto *line = new QHBoxLayout(entry);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(4);
        boxes.from = newBox(name + QStringLiteral("van"));
        boxes.to = newBox(name + QStringLiteral("tot"));
        const bool date = c.kind == FilterCriterion::Kind::DateRange;
        for (QLineEdit *box : {boxes.from, boxes.to}) {
            box->setMaxLength(date ? 10 : 16);
            box->setPlaceholderText(date ? QStringLiteral("dd-mm-jjjj") : QString());
            box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00000")) + 12);
        }
        boxes.from->setToolTip(QStringLiteral("Van (leeg: geen ondergrens)"));
        boxes.to->setToolTip(QStringLiteral("Tot en met (leeg: geen bovengrens)"));
        auto *through = new QLabel(QStringLiteral("t/m"), entry);
        line->addWidget(boxes.from, 1);
        line->addWidget(through);
        line->addWidget(boxes.to, 1);
    }
    m_boxes << boxes;
    if (arrangement == Arrangement::Stacked) {
        static_cast<QFormLayout *>(layout())->addRow(c.label, entry);
        return;
    }
    auto *grid = static_cast<QGridLayout *>(layout());
    const int column = index;
    auto *label = new QLabel(c.label, this);
    label->setBuddy(boxes.from);
    grid->addWidget(label, 0, column);
    grid->addWidget(entry, 1, column);
    // A text criterion (a description, an account name) gets the most room.
    grid->setColumnStretch(column, c.isRange() ? 2 : 3);
}

void FieldFilterPanel::readBoxes()
{
    for (int i = 0; i < m_boxes.size(); ++i) {
        const CriterionBoxes &b = m_boxes[i];
        if (b.to)
            m_criteria.setRange(i, b.from->text(), b.to->text());
        else
            m_criteria.setText(i, b.from->text());
    }
    showProblems();
}

void FieldFilterPanel::showProblems()
{
    for (int i = 0; i < m_boxes.size(); ++i) {
        const CriterionBoxes &b = m_boxes[i];
        if (!b.to)
            continue;
        const QString problem = m_criteria.problem(i);
        const auto mark = [&](QLineEdit *box, bool wrong, const QString &rest) {
            box->setStyleSheet(wrong ? QStringLiteral("color: red;") : QString());
            box->setToolTip(wrong ? problem : rest);
        };
        mark(b.from, m_criteria.fromInvalid(i), QStringLiteral("Van (leeg: geen ondergrens)"));
        mark(b.to, m_criteria.toInvalid(i), QStringLiteral("Tot en met (leeg: geen bovengrens)"));
    }
}

int FieldFilterPanel::criterionIndex(const QString &label) const
{
    for (int i = 0; i < m_criteria.count(); ++i)
        if (m_criteria.criteria()[i].label.compare(label, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QLineEdit *FieldFilterPanel::fromBox(const QString &label) const
{
    const int i = criterionIndex(label);
    return i < 0 ? nullptr : m_boxes[i].from;
}

QLineEdit *FieldFilterPanel::toBox(const QString &label) const
{
    const int i = criterionIndex(label);
    return i < 0 ? nullptr : m_boxes[i].to;
}

Table::Condition FieldFilterPanel::filterCondition() const
{
    Table::Condition rules = condition();
    Table::Condition criteria = m_criteria.condition(table().schema());
    if (!rules)
        return criteria;
    if (!criteria)
        return rules;
    return [rules, criteria](const Table::Values &values) { return rules(values) && criteria(values); };
}

void FieldFilterPanel::apply()
{
    if (!m_on || !table().isOpen() || !mayChange())
        return;
    attempt(window(), [&] { table().setCondition(filterCondition()); });
}

void FieldFilterPanel::setFiltering(bool on)
{
    m_on = on;
    if (!table().isOpen())
        return;
    table().setCondition(on ? filterCondition() : Table::Condition());
    table().setFiltered(on);
}

void FieldFilterPanel::clearFilter()
{
    clear();
    m_clearing = true;
    for (const CriterionBoxes &b : std::as_const(m_boxes))
        for (QLineEdit *box : {b.from, b.to})
            if (box)
                box->clear();
    m_clearing = false;
    m_criteria.clear();
    showProblems();
    if (m_on && table().isOpen())
        table().clearCondition();
}

} // namespace zelk
