#pragma once
// Member cards: per member a block of six label-and-value rows in two columns, opened by a
// dotted line; no column header and no page footer.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printledenall {
public:
    explicit printledenall(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
