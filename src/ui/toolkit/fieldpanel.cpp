#include "fieldpanel.h"

#include "textlimit.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace zelk {

namespace {
struct Needle {
    int field;
    QString text;
    Match match;
    GridColumn::Kind shownAs;
};

bool matches(const QVariant &stored, const Needle &needle)
{
    const QString value = TableModel::shown(stored, needle.shownAs);
    if (needle.match == Match::Contains)
        return value.contains(needle.text, Qt::CaseInsensitive);
    return value.startsWith(needle.text, Qt::CaseInsensitive);
}
} // namespace

FieldPanel::FieldPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent, Arrangement arrangement)
    : QGroupBox(title, parent), m_table(table), m_rules(rules)
{
    if (arrangement == Arrangement::Stacked) {
        auto *form = new QFormLayout(this);
        form->setContentsMargins(6, 4, 6, 4);
        form->setVerticalSpacing(2);
    } else {
        new QGridLayout(this);
    }
    for (const FieldRule &rule : rules)
        addBox(rule, arrangement);
}

void FieldPanel::addBox(const FieldRule &rule, Arrangement arrangement)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(rule.field);
    if (const int index = m_table.schema().indexOf(rule.field); index >= 0)
        limitToField(box, m_table.schema().fields[static_cast<size_t>(index)]);
    if (arrangement == Arrangement::Stacked) {
        static_cast<QFormLayout *>(layout())->addRow(rule.field, box);
    } else {
        auto *grid = static_cast<QGridLayout *>(layout());
        const int column = static_cast<int>(m_boxes.size());
        auto *label = new QLabel(rule.field, this);
        label->setBuddy(box);
        grid->addWidget(label, 0, column);
        grid->addWidget(box, 1, column);
        grid->setColumnStretch(column, rule.wide ? 3 : 1);
    }
    m_boxes << box;
    connect(box, &QLineEdit::textChanged, this, [this] {
        if (!m_clearing)
            Q_EMIT valuesChanged();
    });
}

QLineEdit *FieldPanel::box(const QString &field) const
{
    for (int i = 0; i < m_rules.size(); ++i)
        if (m_rules[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return m_boxes[i];
    return nullptr;
}

QString FieldPanel::typed(int box) const
{
    const QString text = m_boxes[box]->text();
    return m_trim ? text.trimmed() : text;
}

bool FieldPanel::isBlank() const
{
    for (int i = 0; i < m_boxes.size(); ++i)
        if (!typed(i).isEmpty())
            return false;
    return true;
}

void FieldPanel::clear()
{
    m_clearing = true;
    for (QLineEdit *box : m_boxes)
        box->clear();
    m_clearing = false;
}

Table::Condition FieldPanel::condition() const
{
    std::vector<Needle> needles;
    for (int i = 0; i < m_rules.size(); ++i)
        if (const QString text = typed(i); !text.isEmpty())
            needles.push_back({m_table.fieldIndex(m_rules[i].field), text, m_rules[i].match, m_rules[i].shownAs});
    if (needles.empty())
        return {};
    return [needles](const Table::Values &values) {
        for (const Needle &n : needles)
            if (!matches(values.value(n.field), n))
                return false;
        return true;
    };
}

} // namespace zelk
