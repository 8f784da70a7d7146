#pragma once
// The budget for the coming year: an amount per income and expense account, beside the
// actual figures of the administration, and the arithmetic that balances the two columns.
// The amounts are not stored: the budget screen keeps them while the program runs, and
// zelk-cli reads them from a file.
#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

namespace zelk {

namespace begroting {
// The account positions of the budget lines, in the order the screen and the report show
// them: the 10 income lines and the 16 expense lines.
const std::vector<int> &inkomstenRegels();
const std::vector<int> &uitgavenRegels();
} // namespace begroting

struct Begroting {
    QMap<int, double> bedragen; // the budget amount per account position; a missing one is 0
    double bedrag(int position) const { return bedragen.value(position, 0.0); }
};

struct BegrotingCijfers {
    double inkomsten = 0;       // the sum of the 10 income amounts
    double uitgaven = 0;        // the sum of the 16 expense amounts
    double tekort = 0;          // uitgaven - inkomsten when that is 0 or more, else 0
    double over = 0;            // inkomsten - uitgaven when that is more than 0, else 0
    double totaalInkomsten = 0; // inkomsten + tekort
    double totaalUitgaven = 0;  // uitgaven + over: always equal to totaalInkomsten
};

// The totals of a budget, in whole cents. Every amount counts, zero and negative ones too.
BegrotingCijfers berekenBegroting(const Begroting &begroting);

// The actual figure of a budget line: the size of the account's balance (income accounts
// carry negative balances), in whole cents.
double werkelijkCijfer(double saldo);

// One budget line as the report and its CSV export show it.
struct BegrotingRegel {
    int positie = 0;
    QString naam;
    double werkelijk = 0;
    double bedrag = 0;
};
// The 26 lines (income first) from the accounts' names and balances by position
// (`namen[n - 1]` and `saldi[n - 1]` belong to position n; 37 of each, else zelk::Error).
std::vector<BegrotingRegel> begrotingsregels(const QStringList &namen, const std::vector<double> &saldi, const Begroting &begroting);

// A budget from text: one line per account, "position;amount" (amount as 1250.50), blank
// lines and lines starting with "#" are passed over. Throws zelk::Error naming the line for
// a position that is no budget line, a position given twice, or an amount that is none.
Begroting leesBegroting(const QString &text);

} // namespace zelk
