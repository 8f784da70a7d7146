#pragma once
// What a per-row detail band walks over: a cursor over rows whose fields are found by
// case-insensitive name. Table objects of the table store are adapted to it; the
// in-memory source serves tests, benchmarks and reports that assemble their own rows.
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace zelk {

class ReportDataSource {
public:
    virtual ~ReportDataSource() = default;

    virtual int rowCount() const = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // The index of a field, found without regard to case; -1 when there is no such field.
    virtual int fieldIndex(const QString &name) const = 0;
    // The value of a field of the current row (a string, number, date or null).
    virtual QVariant value(int field) const = 0;

    QVariant value(const QString &name) const { return value(fieldIndex(name)); }
    QString text(const QString &name) const { return value(name).toString(); }
    double number(const QString &name) const { return value(name).toDouble(); }
};

// Decides per row whether a detail row prints.
using RowFilter = std::function<bool(const ReportDataSource &)>;

class MemoryDataSource : public ReportDataSource {
public:
    explicit MemoryDataSource(const QStringList &fields);

    void reserve(int rows) { m_rows.reserve(rows); }
    // Appends a row; missing trailing values are null.
    void addRow(QVariantList values);

    int rowCount() const override { return int(m_rows.size()); }
    void first() override { m_current = 0; }
    void next() override
    {
        if (m_current < rowCount())
            ++m_current;
    }
    bool eof() const override { return m_current >= rowCount(); }
    int fieldIndex(const QString &name) const override { return m_index.value(name.toLower(), -1); }
    QVariant value(int field) const override;

private:
    QStringList m_fields;
    QHash<QString, int> m_index;
    std::vector<QVariantList> m_rows;
    int m_current = 0;
};

} // namespace zelk
