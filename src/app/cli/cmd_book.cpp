// The booking commands: each is one of the treasurer's booking actions, the same engine
// action the screen's "Doorboeken" calls, so an open item is never left out of step.
#include "boekingen.h"
#include "command.h"
#include "rekeningschema.h"
#include "session.h"
#include "store/velden.h"

namespace zelk::cli {
namespace {

QDate takeDate(QStringList &args)
{
    const QString text = takeOption(args, QStringLiteral("--date"));
    if (text.isEmpty())
        return QDate::currentDate();
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        throw UsageError("--date moet een datum zijn als 2026-03-31, niet \"" + text.toStdString() + "\"");
    return date;
}

int position(const QString &text, const QString &what)
{
    const int p = toInt(text, what);
    if (p < 1 || p > rekeningschema::aantal)
        throw UsageError((what + QStringLiteral(" moet een rekeningpositie van 1 tot en met 37 zijn")).toStdString());
    return p;
}

using TwoAccounts = void (*)(DataModule1 &, int, int, const boekingen::Boeking &);

// VAN NAAR BEDRAG OMSCHRIJVING [--date]: income, expense, transfer and book.
Handler twoAccounts(const char *name, TwoAccounts action)
{
    return [name, action](const QStringList &arguments, Io &io) {
        QStringList args = arguments;
        const QDate date = takeDate(args);
        takeFlag(args, QStringLiteral("--open-item")); // always done now; still accepted
        if (args.size() != 4)
            throw UsageError(std::string(name) + " heeft VAN NAAR BEDRAG OMSCHRIJVING nodig");
        const int from = position(args[0], QStringLiteral("VAN"));
        const int to = position(args[1], QStringLiteral("NAAR"));
        const double amount = toAmount(args[2], QStringLiteral("BEDRAG"));
        auto data = openForWriting(io);
        action(*data, from, to, {args[3], date, amount});
        io.out << data->lastJournalNumber() << "\n";
        return int(Ok);
    };
}

int openingBalance(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QDate date = takeDate(args);
    if (args.size() != 3)
        throw UsageError("opening-balance heeft REKENING BEDRAG OMSCHRIJVING nodig");
    const int account = position(args[0], QStringLiteral("REKENING"));
    const double amount = toAmount(args[1], QStringLiteral("BEDRAG"));
    auto data = openForWriting(io);
    const boekingen::Boeking boeking{args[2], date, amount};
    if (account == rekeningschema::nogTeBetalen || account == rekeningschema::nogTeOntvangen)
        boekingen::startbalansOpenPost(*data, account, boeking);
    else
        boekingen::startbalansGeld(*data, account, boeking);
    io.out << data->lastJournalNumber() << "\n";
    return Ok;
}

Table &itemsTable(DataModule1 &data, const QString &kind)
{
    if (kind == QLatin1String("payables"))
        return data.betalentabel;
    if (kind == QLatin1String("receivables"))
        return data.ontvangentabel;
    throw UsageError("kies payables (nog te betalen) of receivables (nog te ontvangen)");
}

int openItems(const QStringList &args, Io &io)
{
    if (args.size() != 1)
        throw UsageError("open-items heeft payables of receivables nodig");
    auto data = openForReading(io);
    Table &items = itemsTable(*data, args[0]);
    for (int i = 0; i < items.recordCount(); ++i)
        io.out << i + 1 << "\t" << items.valueAt(i, veld::openpost::Datum).toDate().toString(Qt::ISODate) << "\t"
               << items.valueAt(i, veld::openpost::Omschrijving).toString() << "\t"
               << QString::number(items.valueAt(i, veld::openpost::Bedrag).toDouble(), 'f', 2) << "\n";
    return Ok;
}

// What "Doorboeken" does on the payables and receivables screens.
int settle(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QDate date = takeDate(args);
    if (args.size() != 5)
        throw UsageError("settle heeft SOORT NUMMER REKENING BEDRAG OMSCHRIJVING nodig");
    if (args[0] != QLatin1String("payables") && args[0] != QLatin1String("receivables"))
        throw UsageError("kies payables (nog te betalen) of receivables (nog te ontvangen)");
    const auto soort = args[0] == QLatin1String("payables") ? boekingen::OpenPost::TeBetalen : boekingen::OpenPost::TeOntvangen;
    const int index = toInt(args[1], QStringLiteral("NUMMER"));
    const int account = position(args[2], QStringLiteral("REKENING"));
    const double amount = toAmount(args[3], QStringLiteral("BEDRAG"));
    auto data = openForWriting(io);
    Table &items = itemsTable(*data, args[0]);
    if (index < 1 || index > items.recordCount())
        throw UsageError(
            QStringLiteral("er is geen openstaande post %1 (er zijn er %2)").arg(index).arg(items.recordCount()).toStdString());
    boekingen::aflossen(*data, soort, items.rowidAt(index - 1), account, {args[4], date, amount});
    io.out << data->lastJournalNumber() << "\n";
    return Ok;
}

const QString datum = QStringLiteral(" [--date JJJJ-MM-DD]");

const Registration bookCommand(QStringLiteral("book"),
                               {QStringLiteral("book VAN NAAR BEDRAG OMSCHRIJVING") + datum,
                                QStringLiteral("boekt een bedrag van de ene rekeningpositie naar de andere (naar 25 of van 24 ook als "
                                               "openstaande post) en toont het boekstuknummer"),
                                twoAccounts("book", &boekingen::overboeken)});
const Registration incomeCommand(QStringLiteral("income"),
                                 {QStringLiteral("income VAN NAAR BEDRAG OMSCHRIJVING") + datum,
                                  QStringLiteral("verwerkt een inkomst zoals Verwerken inkomsten: van een ontvangstenrekening naar een "
                                                 "bank of kas, of naar 25 (nog te ontvangen)"),
                                  twoAccounts("income", &boekingen::inkomsten)});
const Registration expenseCommand(QStringLiteral("expense"),
                                  {QStringLiteral("expense VAN NAAR BEDRAG OMSCHRIJVING") + datum,
                                   QStringLiteral("verwerkt een uitgave zoals Verwerken uitgaven: van een bank of kas, of van 24 "
                                                  "(nog te betalen), naar een kostenrekening"),
                                   twoAccounts("expense", &boekingen::uitgaven)});
const Registration transferCommand(QStringLiteral("transfer"),
                                   {QStringLiteral("transfer VAN NAAR BEDRAG OMSCHRIJVING") + datum,
                                    QStringLiteral("verwerkt een kruispost tussen bank- en kasrekeningen (en 6, stortingverschillen)"),
                                    twoAccounts("transfer", &boekingen::kruispost)});
const Registration openingBalanceCommand(QStringLiteral("opening-balance"),
                                         {QStringLiteral("opening-balance REKENING BEDRAG OMSCHRIJVING") + datum,
                                          QStringLiteral("boekt een regel van de startbalans: een bank of kas, of 24/25 met een "
                                                         "openstaande post, tegen het eigen vermogen"),
                                          openingBalance});
const Registration openItemsCommand(QStringLiteral("open-items"),
                                    {QStringLiteral("open-items payables|receivables"),
                                     QStringLiteral("toont de openstaande posten met hun volgnummer"), openItems});
const Registration settleCommand(QStringLiteral("settle"),
                                 {QStringLiteral("settle payables|receivables NUMMER REKENING BEDRAG OMSCHRIJVING") + datum,
                                  QStringLiteral("betaalt of ontvangt (een deel van) een openstaande post via een financiële rekening"),
                                  settle});

} // namespace
} // namespace zelk::cli
