#include "declar.h"

#include "amountformat.h"
#include "cents.h"
#include "databases.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <cmath>

namespace zelk::declar {

namespace {
constexpr int nameLength = 40;

double storedAmount(const Table &table, QStringView field, const QString &what)
{
    const double value = table.number(field);
    if (!cents::isValid(value))
        throw Error(QStringLiteral("%1 in %2 is ongeldig (%3); er is niets geboekt. Controleer de administratie met zelk-cli check.")
                        .arg(what, table.schema().fileName, AmountFormat::current().display(value)));
    return value;
}

// Puts `amount` on the account at `position` and returns the account's name. The new
// balance is computed in whole cents from the balance as it is in the file now.
QString changeBalance(Table &accounts, int position, double amount)
{
    if (accounts.isEmpty())
        throw Error(QStringLiteral("Het rekeningschema is leeg; er kan niet worden geboekt."));
    accounts.moveTo(std::max(position, 1) - 1);
    const QString name = accounts.text(veld::rekeningen::Naam).left(nameLength);
    const double old = storedAmount(accounts, veld::rekeningen::Saldo, QStringLiteral("Het saldo van %1").arg(name));
    const double balance = cents::amount(cents::of(old) + cents::of(amount));
    if (!cents::isValid(balance))
        throw Error(QStringLiteral("Het saldo van %1 zou te groot worden; er is niets geboekt.").arg(name));
    accounts.edit();
    accounts.setValue(veld::rekeningen::Saldo, balance);
    accounts.post();
    return name;
}

void appendOpenItem(DataModule1 &data, Table &items, const QString &description, const QDate &date, double amount)
{
    const double value = cents::checked(amount);
    Transaction transaction(data.database1());
    items.append();
    items.setValue(veld::openpost::Datum, date);
    items.setValue(veld::openpost::Omschrijving, description);
    items.setValue(veld::openpost::Bedrag, value);
    items.post();
    transaction.commit();
}

void settle(DataModule1 &data, Table &items, double amount)
{
    if (!items.isOpen() || items.isEmpty() || items.currentRow() < 0)
        throw Error(QStringLiteral("Er is geen openstaande post gekozen om af te lossen."));
    const double value = cents::checked(amount);
    // The item meant is the one current now; the transaction first reads what other
    // programs changed, and an item they settled meanwhile is not settled again.
    const qint64 item = items.currentRowid();
    Transaction transaction(data.database1());
    if (!items.locate(item))
        throw Error(QStringLiteral("De gekozen openstaande post bestaat niet meer (intussen afgelost of verwijderd); "
                                   "er is niets geboekt."));
    const double open = storedAmount(items, veld::openpost::Bedrag, QStringLiteral("Het bedrag van de openstaande post"));
    // Whole cents: only the exact amount settles the item, a one-cent rest stays open.
    const qint64 rest = cents::of(open) - cents::of(value);
    if (rest == 0) {
        items.removeRow(item);
    } else {
        items.edit();
        items.setValue(veld::openpost::Bedrag, cents::amount(rest));
        items.post();
    }
    transaction.commit();
}
} // namespace

void boekpost(DataModule1 &data, int from, int to, const QString &description, const QDate &date, double amount)
{
    const double value = cents::checked(amount);
    Table &accounts = data.rekeningtabel;
    Table &journal = data.journaaltabel;
    // Beginning the transaction rereads every table another program changed, so the
    // balances and the journal count below are those of the files.
    Transaction transaction(data.database1());
    const QString fromName = changeBalance(accounts, from, -value);
    const QString toName = changeBalance(accounts, to, value);
    journal.append();
    journal.setValue(veld::journaal::JrNr, static_cast<double>(journal.totalCount() + 1));
    journal.setValue(veld::journaal::Datum, date);
    journal.setValue(veld::journaal::Omschrijving, description);
    journal.setValue(veld::journaal::Vanrekening, fromName);
    journal.setValue(veld::journaal::Naarrekening, toName);
    journal.setValue(veld::journaal::Bedrag, value);
    journal.post();
    transaction.commit();
}

void nieuwtebetalen(DataModule1 &data, const QString &description, const QDate &date, double amount)
{
    appendOpenItem(data, data.betalentabel, description, date, amount);
}

void nieuwteontvangen(DataModule1 &data, const QString &description, const QDate &date, double amount)
{
    appendOpenItem(data, data.ontvangentabel, description, date, amount);
}

void aflossentebetalen(DataModule1 &data, double amount)
{
    settle(data, data.betalentabel, amount);
}

void aflossenteontvangen(DataModule1 &data, double amount)
{
    settle(data, data.ontvangentabel, amount);
}

double tekstnaarbedrag(const QString &text)
{
    QString compact = text;
    compact.remove(u' ');
    return AmountFormat::current().parse(compact).value_or(0.0);
}

} // namespace zelk::declar
