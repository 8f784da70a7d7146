#include "tabledatasource.h"

#include "zelkerror.h"

namespace zelk {

int TableDataSource::fieldIndex(const QString &name) const
{
    const int stored = m_table.schema().indexOf(name);
    if (stored >= 0)
        return stored;
    try {
        m_table.fieldIndex(name); // knows the looked-up fields too; throws for others
    } catch (const Error &) {
        return -1;
    }
    for (int i = 0; i < m_lookups.size(); ++i)
        if (m_lookups.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return LookupBase + i;
    m_lookups.append(name);
    return LookupBase + int(m_lookups.size()) - 1;
}

QVariant TableDataSource::value(int field) const
{
    if (eof() || field < 0)
        return {};
    if (field >= LookupBase)
        return m_table.valueAt(m_row, m_lookups.value(field - LookupBase));
    return m_table.valueAt(m_row, field);
}

} // namespace zelk
