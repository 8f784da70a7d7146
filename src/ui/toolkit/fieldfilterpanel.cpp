#include "fieldfilterpanel.h"

#include "messages.h"
#include "zelkerror.h"

namespace zelk {

FieldFilterPanel::FieldFilterPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent,
                                   Arrangement arrangement)
    : FieldPanel(title, table, rules, parent, arrangement)
{
    setObjectName(QStringLiteral("filterpanel"));
    connect(this, &FieldPanel::valuesChanged, this, &FieldFilterPanel::apply);
}

void FieldFilterPanel::apply()
{
    if (!m_on || !table().isOpen() || !mayChange())
        return;
    attempt(window(), [&] { table().setCondition(condition()); });
}

void FieldFilterPanel::setFiltering(bool on)
{
    m_on = on;
    if (!table().isOpen())
        return;
    table().setCondition(on ? condition() : Table::Condition());
    table().setFiltered(on);
}

void FieldFilterPanel::clearFilter()
{
    clear();
    if (m_on && table().isOpen())
        table().clearCondition();
}

} // namespace zelk
