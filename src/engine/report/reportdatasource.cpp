#include "reportdatasource.h"

namespace zelk {

MemoryDataSource::MemoryDataSource(const QStringList &fields) : m_fields(fields)
{
    for (int i = 0; i < fields.size(); ++i)
        m_index.insert(fields.at(i).toLower(), i);
}

void MemoryDataSource::addRow(QVariantList values)
{
    while (values.size() < m_fields.size())
        values.append(QVariant());
    m_rows.push_back(std::move(values));
}

QVariant MemoryDataSource::value(int field) const
{
    if (eof() || field < 0 || field >= m_fields.size())
        return {};
    return m_rows[m_current].at(field);
}

} // namespace zelk
