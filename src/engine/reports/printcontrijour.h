#pragma once
// The journal report: the journal rows that the journal overview's filter lets through,
// in booking order, under white headings "Bkst", "Datum", "Omschrijving", "Van rekening",
// "Naar rekening", "Bedrag" on a dark blue band, then a dotted line and "Totaaltelling van
// de getoonde mutaties" with the sum of the printed amounts in the currency format.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printcontrijour {
public:
    explicit printcontrijour(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
