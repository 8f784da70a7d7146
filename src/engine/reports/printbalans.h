#pragma once
// The balance report: income and expenses side by side with the result of the year and
// both totals, then the bank and cash balances with their total, the open payables and
// receivables, and the equity before and after the result. One page, no data set:
// toonsaldo fills the fixed slot of every account position before the report is shown.
#include "balans.h"
#include "report/reportframe.h"

#include <QStringList>
#include <memory>

namespace zelk {

class DataModule1;

class printbalans {
public:
    explicit printbalans(DataModule1 &data);
    explicit printbalans(FrameSettingsSource settings);

    // Fills every slot from the data module's accounts table (Naam and Saldo of the 37
    // positions) and leaves the table's cursor on position 23, the equity account.
    void toonsaldo();
    // The same from names and balances by position (index 0 is position 1); 37 of each.
    void toonsaldo(const QStringList &namen, const std::vector<double> &saldi);

    std::shared_ptr<Report> report() const { return m_report; }
    const BalansCijfers &cijfers() const { return m_cijfers; }

private:
    void buildLayout();
    void fill(const QString &slot, const QString &name, const QString &amount);

    DataModule1 *m_data = nullptr;
    std::shared_ptr<Report> m_report;
    BalansCijfers m_cijfers;
};

} // namespace zelk
