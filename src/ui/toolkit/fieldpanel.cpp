#include "fieldpanel.h"

#include <QFormLayout>
#include <QLineEdit>

namespace zelk {

namespace {
struct Needle {
    int field;
    QString text;
    Match match;
};

bool matches(const QVariant &stored, const Needle &needle)
{
    const QString value = stored.typeId() == QMetaType::QDate ? stored.toDate().toString(QStringLiteral("dd-MM-yyyy")) : stored.toString();
    if (needle.match == Match::Contains)
        return value.contains(needle.text, Qt::CaseInsensitive);
    return value.startsWith(needle.text, Qt::CaseInsensitive);
}
} // namespace

FieldPanel::FieldPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent)
    : QGroupBox(title, parent), m_table(table), m_rules(rules)
{
    auto *form = new QFormLayout(this);
    form->setContentsMargins(6, 4, 6, 4);
    form->setVerticalSpacing(2);
    for (const FieldRule &rule : rules) {
        auto *box = new QLineEdit(this);
        box->setObjectName(rule.field);
        const int index = table.schema().indexOf(rule.field);
        if (index >= 0 && table.schema().fields[index].size > 0)
            box->setMaxLength(table.schema().fields[index].size);
        form->addRow(rule.field, box);
        m_boxes << box;
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (!m_clearing)
                Q_EMIT valuesChanged();
        });
    }
}

QLineEdit *FieldPanel::box(const QString &field) const
{
    for (int i = 0; i < m_rules.size(); ++i)
        if (m_rules[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return m_boxes[i];
    return nullptr;
}

bool FieldPanel::isBlank() const
{
    for (const QLineEdit *box : m_boxes)
        if (!box->text().isEmpty())
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
        if (!m_boxes[i]->text().isEmpty())
            needles.push_back({m_table.fieldIndex(m_rules[i].field), m_boxes[i]->text(), m_rules[i].match});
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
