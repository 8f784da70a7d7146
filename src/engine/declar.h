#pragma once
// The posting routines. Every change of a balance goes through boekpost, which moves an
// amount from one account to another and records the move as one journal row; four
// small routines keep the open payables and receivables. Accounts are addressed by
// position (1-37): a position below 1 means the first account, one beyond the chart the last.
//
// Each routine is one transaction: on any error nothing of it stays written and the
// error (zelk::Error, Dutch) reaches the caller. A caller that books several things as
// one user action wraps them in its own Transaction (the user actions are in boekingen.h).
// Amounts are refused when not finite or 10,000,000,000.00 or more in size, and are
// booked rounded to whole cents; every result is computed in whole cents from the files.
#include <QDate>
#include <QString>

namespace zelk {

class DataModule1;

namespace declar {

// From-account balance minus `amount`, to-account balance plus `amount`, one journal row
// (JrNr = rows in the journal + 1, names and description cut to 40 characters).
// Leaves the accounts on the to-account and the journal on the new row.
void boekpost(DataModule1 &data, int from, int to, const QString &description, const QDate &date, double amount);

// Appends an open payable / receivable and leaves the table on it.
void nieuwtebetalen(DataModule1 &data, const QString &description, const QDate &date, double amount);
void nieuwteontvangen(DataModule1 &data, const QString &description, const QDate &date, double amount);

// Settles the current open item by `amount`: when the amount equals it to the cent it is
// deleted (the next row becomes current), otherwise the rest stays open (negative when
// more was paid; a one-cent rest stays). Throws when no item is current, or when another
// program settled or removed it meanwhile.
void aflossentebetalen(DataModule1 &data, double amount);
void aflossenteontvangen(DataModule1 &data, double amount);

// An amount typed as text: every blank removed, then read under the current decimal
// separator; an empty text is 0, and so is a text that is no such number.
double tekstnaarbedrag(const QString &text);

} // namespace declar
} // namespace zelk
