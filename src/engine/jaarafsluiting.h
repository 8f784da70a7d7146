#pragma once
// The year-end closing: the treasurer's one action that starts a new financial year.
// The journal is emptied, the members' dues marks move on by one year (previous year
// takes the current year's marks, current year the next year's, next year is cleared),
// every balance becomes zero, and the balances of the bank and cash accounts and of the
// payables and receivables accounts are booked again as "beginbalans" from the equity
// account on the closing date. Open payables and receivables stay as they are.
#include "veiligheidskopie.h"

#include <QDate>

namespace zelk {

class DataModule1;

// Closes the year on `datum`. Carried are positions 1, 2, 3, 4, 5, 36, 37 (bank and
// cash), 24 and 25, in that order, each in whole cents when it is at least one cent away
// from zero; a balance closer to zero than that (only a file written by another program
// holds one) is not carried and ends at 0. A safety copy is made first; the closing itself is one
// transaction, so a failure part-way leaves the administration exactly as it was. Throws
// zelk::Error (Dutch) when the date is not valid, the copy cannot be made, or the tables
// refuse a step. Returns the safety copy.
veiligheidskopie::Kopie jaarafsluiten(DataModule1 &data, const QDate &datum);

} // namespace zelk
