#pragma once
// Member list 2: A4 landscape, one line per member that the member table shows: name,
// street, postcode, town, e-mail, kind of member and first remark.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class ledenlijst03 {
public:
    explicit ledenlijst03(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
