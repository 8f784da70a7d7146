#pragma once
// A table object as the data of a per-row report: the rows that pass the table's filter,
// in its browse order. The report reads rows by index, so laying a report out never
// moves the cursor that the screens share.
#include "report/reportdatasource.h"
#include "store/table.h"

namespace zelk {

class TableDataSource : public ReportDataSource {
public:
    explicit TableDataSource(Table &table) : m_table(table) { }

    int rowCount() const override { return m_table.recordCount(); }
    void first() override { m_row = 0; }
    void next() override
    {
        if (m_row < rowCount())
            ++m_row;
    }
    bool eof() const override { return m_row >= rowCount(); }
    int fieldIndex(const QString &name) const override;
    QVariant value(int field) const override;

private:
    static constexpr int LookupBase = 1000; // indexes from here on are looked-up fields

    Table &m_table;
    int m_row = 0;
    mutable QStringList m_lookups;
};

} // namespace zelk
