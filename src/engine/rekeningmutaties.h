#pragma once
// The mutations of one account, built from the journal into the scratch table hulp.db for
// the per-account overview and its report. A journal row counts for the account when the
// account it names (looked up by its name now, the journal's "van" and "naar") is this
// account: as from-account with its amount negated, as to-account with its amount as
// booked; a booking from and to the same account is listed twice. Rows whose account
// names match no account belong to no list, so bookings made before an account was
// renamed are missing from its list.
//
// hulp.db keeps the last list from one program run to the next; only the next build
// empties it. The account name and balance texts of the last build live as long as the
// data module (one program run) and start again when another administration is opened.
#include <QString>

namespace zelk {

class DataModule1;

namespace rekeningmutaties {

// The texts before any build in this program run.
inline const QString nietsOpgebouwd = QStringLiteral("In deze sessie is niets opgebouwd");
inline const QString beginSaldo = QStringLiteral("0.00");

struct Opbouw {
    QString naam = nietsOpgebouwd; // the account name text
    QString saldo = beginSaldo;    // the balance text, ",0.00"
    int regels = 0;                // rows the build put in hulp.db
};

// Empties hulp.db and fills it with the mutations of the account at `positie` (1-37), in
// journal order, also those a filter on the journal hides; all in one transaction. Returns
// the account's name and balance text, which laatste() gives from then on. When hulp.db
// cannot be emptied (another program holds it) or anything else fails, throws zelk::Error
// with the table store's message and changes nothing, the texts included.
Opbouw opbouwen(DataModule1 &data, int positie);

// The texts of the last build of this program run in the current administration.
Opbouw laatste(const DataModule1 &data);

} // namespace rekeningmutaties
} // namespace zelk
