#pragma once
// The accounts list: every account of the chart in number order with its current balance,
// under white headings "Rekeningnaam" and "Huidig Saldo" on a dark blue band, rows shaded
// white and lavender in turn, starting white at every run.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printrekeningen {
public:
    explicit printrekeningen(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
