#pragma once
// The arithmetic of the balance report, over the balances of the 37 accounts by position.
// Income, equity and payables carry negative balances (boekpost lowers the from-account),
// so the figures turn their sign: normal amounts come out positive.
#include <vector>

namespace zelk {

struct BalansCijfers {
    double activa = 0;             // bank and cash: positions 1-5, 36, 37
    double inkomsten = 0;          // minus the income balances, plus a negative deposit difference turned
    double uitgaven = 0;           // the expense balances, plus a positive deposit difference
    double resultaat = 0;          // inkomsten - uitgaven
    bool toegenomen = true;        // inkomsten >= uitgaven: "Saldo (toegenomen vermogen)" in the expenses column
    double saldoRegel = 0;         // the amount of that result line: |inkomsten - uitgaven|
    double totaal = 0;             // both "TOTAAL" lines: the larger of inkomsten and uitgaven
    double nogTeBetalen = 0;       // minus the balance of position 24
    double nogTeOntvangen = 0;     // the balance of position 25
    double eigenVermogenOud = 0;   // minus the balance of position 23
    double eigenVermogenNieuw = 0; // eigenVermogenOud + resultaat
};

// `saldi[n - 1]` is the balance of position n; needs 37 balances (throws zelk::Error otherwise).
BalansCijfers berekenBalans(const std::vector<double> &saldi);

} // namespace zelk
