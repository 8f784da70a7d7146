#include "declar.h"

#include "amountformat.h"
#include "databases.h"
#include "zelkerror.h"

#include <cmath>

namespace zelk::declar {

namespace {
constexpr int nameLength = 40;

// Puts `amount` on the account at `position` and returns the account's name.
QString changeBalance(Table &accounts, int position, double amount)
{
    if (accounts.isEmpty())
        throw Error(QStringLiteral("Het rekeningschema is leeg; er kan niet worden geboekt."));
    accounts.moveTo(std::max(position, 1) - 1);
    const double balance = accounts.number(u"Saldo") + amount;
    accounts.edit();
    accounts.setValue(u"Saldo", balance);
    const QString name = accounts.text(u"Naam").left(nameLength);
    accounts.post();
    return name;
}

void appendOpenItem(DataModule1 &data, Table &items, const QString &description, const QDate &date, double amount)
{
    Transaction transaction(data.database1());
    items.append();
    items.setValue(u"Datum", date);
    items.setValue(u"Omschrijving", description);
    items.setValue(u"Bedrag", amount);
    items.post();
    transaction.commit();
}

void settle(DataModule1 &data, Table &items, double amount)
{
    if (items.isEmpty() || items.currentRow() < 0)
        throw Error(QStringLiteral("Er is geen openstaande post gekozen om af te lossen."));
    Transaction transaction(data.database1());
    const double open = items.number(u"Bedrag");
    if (std::fabs(amount - open) < 0.01) {
        items.remove();
    } else {
        items.edit();
        items.setValue(u"Bedrag", open - amount);
        items.post();
    }
    transaction.commit();
}
} // namespace

void boekpost(DataModule1 &data, int from, int to, const QString &description, const QDate &date, double amount)
{
    Table &accounts = data.rekeningtabel;
    Table &journal = data.journaaltabel;
    Transaction transaction(data.database1());
    const QString fromName = changeBalance(accounts, from, -amount);
    const QString toName = changeBalance(accounts, to, amount);
    journal.append();
    journal.setValue(u"JrNr", static_cast<double>(journal.totalCount() + 1));
    journal.setValue(u"Datum", date);
    journal.setValue(u"Omschrijving", description);
    journal.setValue(u"Vanrekening", fromName);
    journal.setValue(u"Naarrekening", toName);
    journal.setValue(u"Bedrag", amount);
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
