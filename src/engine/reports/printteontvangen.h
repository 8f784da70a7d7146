#pragma once
// The report of the open receivables (ontvangentabel): see openpostenrapport.h; titled
// "Overzicht nog te ontvangen posten van :".
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printteontvangen {
public:
    explicit printteontvangen(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
