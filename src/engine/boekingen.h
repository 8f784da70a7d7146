#pragma once
// The treasurer's booking actions, each one transaction: the screens' "Doorboeken"
// buttons and zelk-cli's booking commands call these and nothing else, so a booking and
// the open item that belongs to it are always written together, or not at all.
// Every action throws zelk::Error (Dutch) and then leaves nothing of itself behind.
#include <QDate>
#include <QString>

namespace zelk {

class DataModule1;

namespace boekingen {

struct Boeking {
    QString omschrijving;
    QDate datum;
    double bedrag = 0;
};

// Income, expenses and transfers: the amount moves from `from` to `to` (positions 1-37).
// A booking to the receivables account also records an open receivable, one from the
// payables account an open payable, so that account and its list stay in step.
void overboeken(DataModule1 &data, int from, int to, const Boeking &boeking);

// The same, limited to the accounts each booking screen offers (zelk-cli checks through
// these too): income from an income account to a bank or cash account or to the
// receivables account; an expense from a bank or cash account or the payables account to
// a cost account; a transfer between bank and cash accounts and the deposit differences.
// Another account is refused with a message naming the allowed positions.
void inkomsten(DataModule1 &data, int from, int to, const Boeking &boeking);
void uitgaven(DataModule1 &data, int from, int to, const Boeking &boeking);
void kruispost(DataModule1 &data, int from, int to, const Boeking &boeking);

// Opening balance, left half: from equity to a bank or cash account.
void startbalansGeld(DataModule1 &data, int to, const Boeking &boeking);

// Opening balance, right half: `position` is the payables account (from it to equity,
// with a new open payable) or the receivables account (from equity to it, with a new
// open receivable). Any other position is refused.
void startbalansOpenPost(DataModule1 &data, int position, const Boeking &boeking);

enum class OpenPost { TeBetalen, TeOntvangen };

// Settles (part of) the open item `item` (Table::currentRowid of the row the user chose):
// a payable is paid from `account` to the payables account, a receivable received from
// the receivables account into `account`, and the item is lowered by the amount or, when
// it equals the item to the cent, removed. An item another program settled meanwhile is
// refused.
void aflossen(DataModule1 &data, OpenPost soort, qint64 item, int account, const Boeking &boeking);

} // namespace boekingen
} // namespace zelk
