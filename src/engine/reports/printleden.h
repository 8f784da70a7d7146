#pragma once
// Member list 1: A4 portrait, one line per member that the member table shows (through
// the member register's filter) in name order: name, street, postcode, town, e-mail, birth date.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printleden {
public:
    explicit printleden(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
