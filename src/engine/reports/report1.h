#pragma once
// The chart of the year's income and expenses: two bar charts on one page, "INKOMSTEN"
// (green) above "UITGAVEN" (red), a bar per account that has a balance, labelled with the
// account's name cut to 30 characters, with a legend of each bar's share. vulgrafiek
// removes all bars and fills both charts afresh from the balances as they stand now.
// Its CSV export lists both lists, every account with its value and share.
#include "report/reportframe.h"

#include <QStringList>
#include <memory>

namespace zelk {

class DataModule1;

class report1 {
public:
    // Label length and bar colours of the two charts.
    static constexpr int naamLengte = 30;
    static inline const QColor inkomstenKleur{0, 210, 0};
    static inline const QColor uitgavenKleur{234, 0, 0};

    explicit report1(DataModule1 &data);
    explicit report1(FrameSettingsSource settings);

    // Fills both charts from the data module's accounts.
    void vulgrafiek();
    // The same from names and balances by position (index 0 is position 1); 37 of each.
    // Income charts minus the balance (income accounts carry negative balances), expenses
    // the balance; an account at zero gets no bar, a negative value a bar below the line.
    void vulgrafiek(const QStringList &namen, const std::vector<double> &saldi);

    std::shared_ptr<Report> report() const { return m_report; }
    const BarChart &inkomsten() const { return *m_inkomsten; }
    const BarChart &uitgaven() const { return *m_uitgaven; }

    // The positions of the two lists, in account order: 7-11, 26-28, 31, 32 and 12-22,
    // 29, 30, 33-35.
    static const std::vector<int> &inkomstenLijst();
    static const std::vector<int> &uitgavenLijst();

private:
    DataModule1 *m_data = nullptr;
    std::shared_ptr<Report> m_report;
    std::shared_ptr<BarChart> m_inkomsten = std::make_shared<BarChart>();
    std::shared_ptr<BarChart> m_uitgaven = std::make_shared<BarChart>();
};

} // namespace zelk
