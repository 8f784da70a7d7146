#include "rekeningmutaties.h"

#include "amountformat.h"
#include "databases.h"
#include "store/sqlite.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <sqlite3.h>

namespace zelk::rekeningmutaties {

namespace {
// The last build's texts, kept beside the data module's tables for as long as they live.
class LaatsteOpbouw : public QObject {
    Q_OBJECT
public:
    explicit LaatsteOpbouw(DataModule1 &data) : QObject(&data)
    {
        setObjectName(QStringLiteral("rekeningmutaties"));
        // Another administration has its own hulp.db: the texts start again.
        connect(&data, &DataModule1::administrationChanged, this, [this] { opbouw = Opbouw(); });
    }
    Opbouw opbouw;
};

LaatsteOpbouw *kept(const DataModule1 &data)
{
    return data.findChild<LaatsteOpbouw *>(QStringLiteral("rekeningmutaties"), Qt::FindDirectChildrenOnly);
}

QString quoted(QStringView name)
{
    return u'"' + name.toString() + u'"';
}

// The journal rows of the account named `naam` as hulp.db rows, written by one statement
// over the journal file: as from-account with the amount negated, as to-account as booked,
// in journal order and from before to within one row. A name matches as the journal's
// looked-up "van" and "naar" match: exactly, an empty name also a row without one.
int vulHulp(Connection &connection, const QString &naam)
{
    using namespace veld::journaal;
    const TableSchema &journal = schemas::journaal();
    const TableSchema &hulp = schemas::hulp();
    const QString order = QString::fromLatin1(orderColumn);
    const QString copied = QStringList{quoted(JrNr), quoted(Datum), quoted(Omschrijving)}.join(u',');
    const QString from = QStringLiteral("%1.%2").arg(connection.qualified(journal), quoted(journal.tableName));
    // Whole cents, as a booking stores them; the sign of the from-side turned.
    const QString cents = QStringLiteral("round(ifnull(%1, 0) * 100)").arg(quoted(Bedrag));
    const QString side = QStringLiteral("SELECT %1, %2 / 100.0 AS bedrag, %3 AS volgorde, %4 AS kant FROM %5 WHERE ifnull(%6, '') = ?1");
    const QString sql = QStringLiteral("INSERT INTO %1.%2 (%3, %4, %5) SELECT %3, bedrag, row_number() OVER (ORDER BY volgorde, kant) "
                                       "FROM (%6 UNION ALL %7)")
                            .arg(connection.qualified(hulp), quoted(hulp.tableName), copied, quoted(Bedrag), quoted(order),
                                 side.arg(copied, u'-' + cents, quoted(order), QStringLiteral("0"), from, quoted(Vanrekening)),
                                 side.arg(copied, cents, quoted(order), QStringLiteral("1"), from, quoted(Naarrekening)));
    sql::Statement insert(connection.handle(), sql);
    insert.bind(1, naam);
    insert.run(QStringLiteral("Opbouwen van %1").arg(hulp.fileName));
    return static_cast<int>(sqlite3_changes(connection.handle()));
}

// True when an account before `row` carries the same name: the journal's lookup then gives
// that earlier account, and this one has no mutations.
bool naamEerderGebruikt(const Table &accounts, int row, const QString &naam)
{
    for (int i = 0; i < row; ++i)
        if (accounts.valueAt(i, veld::rekeningen::Naam).toString() == naam)
            return true;
    return false;
}
} // namespace

Opbouw opbouwen(DataModule1 &data, int positie)
{
    using namespace veld;
    Table &accounts = data.rekeningtabel;
    Table &journal = data.journaaltabel;
    Table &hulp = data.hulpT;
    data.openTables({&accounts, &journal, &hulp});
    // Beginning takes every table file for this program and rereads what others changed;
    // a hulp.db that another program holds stops the build here.
    Transaction transaction(data.database1());
    if (positie < 1 || positie > accounts.recordCount())
        throw Error(QStringLiteral("Er is geen rekening %1; kies een rekening uit de lijst.").arg(positie));
    const int row = positie - 1;
    Opbouw opbouw;
    opbouw.naam = accounts.valueAt(row, rekeningen::Naam).toString();
    opbouw.saldo = AmountFormat::current().display(accounts.valueAt(row, rekeningen::Saldo).toDouble());

    hulp.emptyTable();
    if (!naamEerderGebruikt(accounts, row, opbouw.naam))
        opbouw.regels = vulHulp(data.database1(), opbouw.naam);
    hulp.reloadStored();
    transaction.commit();

    LaatsteOpbouw *state = kept(data);
    if (!state)
        state = new LaatsteOpbouw(data);
    state->opbouw = opbouw;
    return opbouw;
}

Opbouw laatste(const DataModule1 &data)
{
    const LaatsteOpbouw *state = kept(data);
    return state ? state->opbouw : Opbouw();
}

} // namespace zelk::rekeningmutaties

#include "rekeningmutaties.moc"
