#pragma once
// The budget report: the budget amounts of the coming year in two boxed columns of equal
// height, income at the left and expenses at the right, each with its result line (the
// shortfall under income, the surplus under expenses) and the balanced "TOTAAL". One page,
// no data set: vulbegroting fills the fixed slot of every budget line before it is shown.
// Its CSV export lists all 26 lines with their actual figures and budget amounts.
#include "begroting.h"
#include "report/reportframe.h"

#include <QStringList>
#include <memory>

namespace zelk {

class DataModule1;

class printbegroot {
public:
    explicit printbegroot(DataModule1 &data);
    explicit printbegroot(FrameSettingsSource settings);

    // Fills the report from the data module's accounts (current names and balances) and
    // the budget amounts.
    void vulbegroting(const Begroting &begroting);
    // The same from names and balances by position (index 0 is position 1); 37 of each.
    void vulbegroting(const QStringList &namen, const std::vector<double> &saldi, const Begroting &begroting);

    std::shared_ptr<Report> report() const { return m_report; }
    const BegrotingCijfers &cijfers() const { return m_cijfers; }

private:
    void buildLayout();
    void fill(const QString &slot, const QString &name, const QString &amount);

    DataModule1 *m_data = nullptr;
    std::shared_ptr<Report> m_report;
    BegrotingCijfers m_cijfers;
};

} // namespace zelk
