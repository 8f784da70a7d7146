#pragma once
// The fixed chart of 37 accounts. Every screen and report addresses an account by its
// position (the n-th row in number order, from 1), never by name.
#include <QString>
#include <QStringList>
#include <vector>

namespace zelk::rekeningschema {

inline constexpr int aantal = 37;

inline constexpr int eigenVermogen = 23;
inline constexpr int nogTeBetalen = 24;
inline constexpr int nogTeOntvangen = 25;
inline constexpr int stortingverschillen = 6;

// The names the chart screen shows as standard names (and writes back on request).
const QStringList &standaardNamen();
// The name a position gets when the program creates it: 1-25 in a new administration,
// 26-37 when start-up completes the chart ("Overige kosten 2" with a blank here).
QString nieuweNaam(int position);

// The accounts start-up adds to a chart of `rowCount` rows so that it has exactly 37:
// the names of positions rowCount+1 … 37. A chart of 37 rows or more gets nothing.
QStringList aanvulling(int rowCount);

// Positions by group, in the order the booking screens list them.
const std::vector<int> &financieel(); // 1 2 3 4 5 36 37
const std::vector<int> &inkomsten();  // 7 8 9 10 26 27 28 11 31 32
const std::vector<int> &kosten();     // 12..21 29 30 22 33 34 35

} // namespace zelk::rekeningschema
