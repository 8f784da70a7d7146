#pragma once
// Correcting the description of a booking, as the journal overview offers it. Only the
// description changes: the amount, the accounts, the date and every balance stay as they
// were. One transaction.
#include <QString>
#include <QtGlobal>

namespace zelk {

class DataModule1;

namespace journaalomschrijving {

// The longest description the journal holds.
inline constexpr int maximum = 40;

// Gives the journal row `row` (Table::currentRowid of the row the user saw) the description
// `omschrijving`. A description of more than 40 characters is refused, not cut; so is a row
// that another program removed meanwhile. Throws zelk::Error (Dutch) and then changes
// nothing. Leaves the journal on that row.
void aanpassen(DataModule1 &data, qint64 row, const QString &omschrijving);

} // namespace journaalomschrijving
} // namespace zelk
