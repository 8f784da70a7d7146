#pragma once
// The association's own names for the accounts of the chart, as the chart names screen
// stores them: all names in one transaction, or none.
#include <QMap>
#include <QString>

namespace zelk {

class DataModule1;

namespace rekeningnamen {

// Gives the account at each position (1-37) its name (cut to 40 characters). Positions
// beyond the chart are skipped. Throws zelk::Error and then stores none of them; a table
// that is not open is such an error rather than a silent nothing.
void bewaar(DataModule1 &data, const QMap<int, QString> &names);

} // namespace rekeningnamen
} // namespace zelk
