#include "jaarafsluiting.h"

#include "amountformat.h"
#include "cents.h"
#include "databases.h"
#include "declar.h"
#include "rekeningschema.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <cmath>

namespace zelk {

namespace {
const QString beginbalans = QStringLiteral("beginbalans");

std::vector<int> carriedAccounts()
{
    std::vector<int> accounts = rekeningschema::financieel();
    accounts.push_back(rekeningschema::nogTeBetalen);
    accounts.push_back(rekeningschema::nogTeOntvangen);
    return accounts;
}

// Whole cents to carry; a balance closer to zero than one cent is not carried.
qint64 carriedCents(double balance)
{
    return std::fabs(balance) < 0.01 - 1e-9 ? 0 : cents::of(balance);
}

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

// Every member in one statement, whatever a screen's filter shows: the previous year
// takes the current year's marks, the current year the next year's, and the next year
// is cleared. The right-hand sides all read the row as it was.
void shiftMarks(Connection &connection)
{
    using veld::leden::maandenVan;
    const QStringList previous = maandenVan(0), current = maandenVan(1), next = maandenVan(2);
    QStringList sets;
    for (int m = 0; m < 12; ++m) {
        sets << quoted(previous[m]) + u'=' + quoted(current[m]);
        sets << quoted(current[m]) + u'=' + quoted(next[m]);
        sets << quoted(next[m]) + QStringLiteral("=0");
    }
    const TableSchema &leden = schemas::leden();
    sql::exec(connection.handle(),
              QStringLiteral("UPDATE %1.%2 SET %3").arg(connection.qualified(leden), quoted(leden.tableName), sets.join(u',')),
              QStringLiteral("Doorschuiven van de contributie-overzichten"));
}

void zeroBalances(Table &accounts)
{
    for (int row = 0; row < accounts.recordCount(); ++row) {
        accounts.moveTo(row);
        accounts.edit();
        accounts.setValue(veld::rekeningen::Saldo, 0.0);
        accounts.post();
    }
}
} // namespace

veiligheidskopie::Kopie jaarafsluiten(DataModule1 &data, const QDate &datum)
{
    if (!datum.isValid())
        throw Error(QStringLiteral("Kies een geldige afsluitdatum; het boekjaar is niet afgesloten."));
    Table &members = data.ledentabel;
    Table &accounts = data.rekeningtabel;
    Table &journal = data.journaaltabel;
    data.openTables({&members, &accounts, &journal});
    data.completeChart();
    for (Table *table : {&members, &accounts, &journal})
        table->flush(); // a row still being edited belongs in the copy and in the closing
    const veiligheidskopie::Kopie kopie = veiligheidskopie::maak(data.database1(), veiligheidskopie::jaarafsluiting);

    Connection &connection = data.database1();
    // Beginning rereads what another program wrote; from here on it is all or nothing.
    Transaction transaction(connection);
    if (accounts.totalCount() < rekeningschema::aantal)
        throw Error(QStringLiteral("Het rekeningschema heeft %1 rekeningen in plaats van %2; het boekjaar is niet afgesloten.")
                        .arg(accounts.totalCount())
                        .arg(rekeningschema::aantal));
    journal.emptyTable();
    shiftMarks(connection);
    members.refresh();
    std::vector<std::pair<int, qint64>> carried;
    for (int position : carriedAccounts()) {
        accounts.moveTo(position - 1);
        const double balance = accounts.number(veld::rekeningen::Saldo);
        if (!cents::isValid(balance))
            throw Error(QStringLiteral("Het saldo van %1 is ongeldig (%2); het boekjaar is niet afgesloten. "
                                       "Controleer de administratie met zelk-cli check.")
                            .arg(accounts.text(veld::rekeningen::Naam), AmountFormat::current().display(balance)));
        carried.emplace_back(position, carriedCents(balance));
    }
    zeroBalances(accounts);
    for (const auto &[position, amount] : carried)
        if (amount != 0)
            declar::boekpost(data, rekeningschema::eigenVermogen, position, beginbalans, datum, cents::amount(amount));
    transaction.commit();
    return kopie;
}

} // namespace zelk
