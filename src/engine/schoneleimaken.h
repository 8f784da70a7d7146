#pragma once
// "Met schone lei beginnen": for when the bookkeeping can no longer be put right. The
// journal is emptied, every balance becomes zero and all open payables and receivables
// are removed; the account names, the members and their dues marks, the e-mail log and
// the settings stay as they are.
#include "veiligheidskopie.h"

namespace zelk {

class DataModule1;

// Empties the bookkeeping of the current administration after making a safety copy, in
// one transaction: on an error nothing has changed. Throws zelk::Error (Dutch). Returns
// the safety copy.
veiligheidskopie::Kopie schoneLei(DataModule1 &data);

} // namespace zelk
