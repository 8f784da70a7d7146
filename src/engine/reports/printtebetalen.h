#pragma once
// The report of the open payables (betalentabel): see openpostenrapport.h; titled
// "Overzicht nog te betalen posten van :".
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printtebetalen {
public:
    explicit printtebetalen(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
