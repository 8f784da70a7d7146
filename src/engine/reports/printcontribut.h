#pragma once
// The dues overview: per member its name and three framed rows (previous, current, next
// year) of twelve squares, black for a month whose mark is set, white otherwise.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class printcontribut {
public:
    explicit printcontribut(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

    // The name of the square of mark `field` (e.g. "vak_Mrt") in the detail band.
    static QString squareName(const QString &field);
    // The character in that square, "x" when set and "-" otherwise, in the square's colour.
    static QString markName(const QString &field);

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
