#include "filterpanel.h"

#include "store/table.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace zelk {

FilterPanel::FilterPanel(Table &table, QList<GridColumn> fields, const QString &wide, QWidget *parent)
    : QGroupBox(QStringLiteral("  Filteren overzicht  "), parent), m_table(table), m_fields(std::move(fields))
{
    setObjectName(QStringLiteral("filterpaneel"));
    auto *grid = new QGridLayout(this);
    for (int i = 0; i < m_fields.size(); ++i) {
        auto *label = new QLabel(m_fields[i].heading, this);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("filter") + m_fields[i].field);
        label->setBuddy(edit);
        grid->addWidget(label, 0, i);
        grid->addWidget(edit, 1, i);
        grid->setColumnStretch(i, m_fields[i].field == wide ? 3 : 1);
        connect(edit, &QLineEdit::textChanged, this, &FilterPanel::apply);
        m_entries << edit;
    }
}

QLineEdit *FilterPanel::entry(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return m_entries[i];
    return nullptr;
}

void FilterPanel::switchOn()
{
    m_active = true;
    if (!m_table.isOpen())
        return;
    apply();
    m_table.setFiltered(true);
}

void FilterPanel::switchOff()
{
    m_active = false;
    for (QLineEdit *e : std::as_const(m_entries)) {
        const QSignalBlocker block(e);
        e->clear();
    }
    if (!m_table.isOpen())
        return;
    m_table.clearCondition();
    m_table.setFiltered(false);
}

void FilterPanel::apply()
{
    if (!m_active || !m_table.isOpen())
        return;
    struct Criterion {
        int field;
        GridColumn::Kind kind;
        QString text;
    };
    QList<Criterion> criteria;
    for (int i = 0; i < m_fields.size(); ++i) {
        const QString text = m_entries[i]->text().trimmed();
        if (!text.isEmpty())
            criteria.append({m_table.fieldIndex(m_fields[i].field), m_fields[i].kind, text});
    }
    if (criteria.isEmpty()) {
        m_table.clearCondition();
        return;
    }
    m_table.setCondition([criteria](const Table::Values &values) {
        for (const Criterion &c : criteria)
            if (!TableModel::shown(values.value(c.field), c.kind).contains(c.text, Qt::CaseInsensitive))
                return false;
        return true;
    });
}

} // namespace zelk
