#pragma once
// The texts of a one-page report's detail band with their places, for the reports laid out
// as two columns (the balance sheet and the budget): what stands beside a label.
#include <QString>
#include <memory>
#include <vector>

namespace zelk {
class Report;
}

namespace zelk::test {

struct Placed {
    QString text;
    double x, y;
};

// The non-empty texts of the detail band; the report must be one page.
std::vector<Placed> detailTexts(std::shared_ptr<Report> report);

// The amount printed on the same line as `label`, in the same column.
QString amountBeside(const std::vector<Placed> &texts, const QString &label, bool rightColumn);

int count(const std::vector<Placed> &texts, const QString &text);

} // namespace zelk::test
