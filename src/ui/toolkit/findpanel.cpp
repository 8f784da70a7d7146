#include "findpanel.h"

#include "messages.h"
#include "zelkerror.h"

#include <QFormLayout>
#include <QPushButton>

namespace zelk {

FindPanel::FindPanel(const QString &title, Table &table, const QList<FieldRule> &rules, QWidget *parent)
    : FieldPanel(title, table, rules, parent)
{
    setObjectName(QStringLiteral("findpanel"));
    m_next = new QPushButton(QStringLiteral("Volgende"), this);
    m_next->setObjectName(QStringLiteral("volgende"));
    m_next->setToolTip(QStringLiteral("Volgende gevonden record"));
    static_cast<QFormLayout *>(layout())->addRow(QString(), m_next);
    connect(this, &FieldPanel::valuesChanged, this, &FindPanel::findFirst);
    connect(m_next, &QPushButton::clicked, this, &FindPanel::findNext);
}

bool FindPanel::findFrom(int from)
{
    Table &t = table();
    if (!t.isOpen() || isBlank())
        return false;
    if (t.isEditing() && !mayChange()) // saving first may move rows about
        return false;
    const Table::Condition wanted = condition();
    for (int row = std::max(from, 0); row < t.recordCount(); ++row) {
        if (!wanted(t.rowValues(row)))
            continue;
        if (row == t.currentRow())
            return true;
        if (!attempt(window(), [&] { t.moveTo(row); }))
            return false;
        return true;
    }
    return false;
}

bool FindPanel::findNext()
{
    return findFrom(table().currentRow() + 1);
}

void FindPanel::findFirst()
{
    findFrom(0);
}

} // namespace zelk
