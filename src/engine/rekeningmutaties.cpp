#include "rekeningmutaties.h"

#include "amountformat.h"
#include "cents.h"
#include "databases.h"
#include "store/velden.h"
#include "zelkerror.h"

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

// Lets every row of a table through while it lives, and its filter again afterwards.
class AllRows {
public:
    explicit AllRows(Table &table) : m_table(table), m_was(table.isFiltered()) { m_table.setFiltered(false); }
    ~AllRows() { m_table.setFiltered(m_was); }
    AllRows(const AllRows &) = delete;
    AllRows &operator=(const AllRows &) = delete;

private:
    Table &m_table;
    bool m_was;
};

void append(Table &hulp, const Table &journal, int row, double amount)
{
    using namespace veld::journaal;
    hulp.append();
    hulp.setValue(JrNr, journal.valueAt(row, JrNr));
    hulp.setValue(Datum, journal.valueAt(row, Datum));
    hulp.setValue(Omschrijving, journal.valueAt(row, Omschrijving));
    hulp.setValue(Bedrag, amount);
    hulp.post();
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
    const qint64 nummer = accounts.valueAt(row, rekeningen::Nummer).toLongLong();
    Opbouw opbouw;
    opbouw.naam = accounts.valueAt(row, rekeningen::Naam).toString();
    opbouw.saldo = AmountFormat::current().display(accounts.valueAt(row, rekeningen::Saldo).toDouble());

    hulp.emptyTable();
    {
        AllRows all(journal);
        for (int i = 0; i < journal.recordCount(); ++i) {
            const qint64 bedrag = cents::of(journal.valueAt(i, journaal::Bedrag).toDouble());
            const QVariant van = journal.valueAt(i, journaal::van);
            const QVariant naar = journal.valueAt(i, journaal::naar);
            if (van.isValid() && van.toLongLong() == nummer) {
                append(hulp, journal, i, cents::amount(-bedrag));
                ++opbouw.regels;
            }
            if (naar.isValid() && naar.toLongLong() == nummer) {
                append(hulp, journal, i, cents::amount(bedrag));
                ++opbouw.regels;
            }
        }
    }
    transaction.commit();
    hulp.first();

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
