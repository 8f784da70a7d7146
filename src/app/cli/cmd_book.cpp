// book, open-items and settle: bookings through the same routines as the screens.
#include "command.h"
#include "declar.h"
#include "rekeningschema.h"
#include "session.h"
#include "store/connection.h"

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

int book(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QDate date = takeDate(args);
    const bool openItem = takeFlag(args, QStringLiteral("--open-item"));
    if (args.size() != 4)
        throw UsageError("book heeft VAN NAAR BEDRAG OMSCHRIJVING nodig");
    const int from = position(args[0], QStringLiteral("VAN"));
    const int to = position(args[1], QStringLiteral("NAAR"));
    const double amount = toAmount(args[2], QStringLiteral("BEDRAG"));
    auto data = openSession();
    Transaction transaction(data->database1());
    declar::boekpost(*data, from, to, args[3], date, amount);
    if (openItem && from == rekeningschema::nogTeBetalen)
        declar::nieuwtebetalen(*data, args[3], date, amount);
    if (openItem && to == rekeningschema::nogTeOntvangen)
        declar::nieuwteontvangen(*data, args[3], date, amount);
    transaction.commit();
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
    auto data = openSession();
    Table &items = itemsTable(*data, args[0]);
    for (int i = 0; i < items.recordCount(); ++i)
        io.out << i + 1 << "\t" << items.valueAt(i, u"Datum").toDate().toString(Qt::ISODate) << "\t"
               << items.valueAt(i, u"Omschrijving").toString() << "\t"
               << QString::number(items.valueAt(i, u"Bedrag").toDouble(), 'f', 2) << "\n";
    return Ok;
}

// What "Doorboeken" does on the payables and receivables screens: the payment or receipt
// is booked against the open-items account and the chosen item is settled, as one action.
int settle(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QDate date = takeDate(args);
    if (args.size() != 5)
        throw UsageError("settle heeft SOORT NUMMER REKENING BEDRAG OMSCHRIJVING nodig");
    const bool payables = args[0] == QLatin1String("payables");
    auto data = openSession();
    Table &items = itemsTable(*data, args[0]);
    const int index = toInt(args[1], QStringLiteral("NUMMER"));
    if (index < 1 || index > items.recordCount())
        throw UsageError(QStringLiteral("er is geen openstaande post %1 (er zijn er %2)").arg(index).arg(items.recordCount()).toStdString());
    const int account = position(args[2], QStringLiteral("REKENING"));
    const double amount = toAmount(args[3], QStringLiteral("BEDRAG"));
    Transaction transaction(data->database1());
    items.moveTo(index - 1);
    if (payables) {
        declar::boekpost(*data, account, rekeningschema::nogTeBetalen, args[4], date, amount);
        declar::aflossentebetalen(*data, amount);
    } else {
        declar::boekpost(*data, rekeningschema::nogTeOntvangen, account, args[4], date, amount);
        declar::aflossenteontvangen(*data, amount);
    }
    transaction.commit();
    io.out << data->lastJournalNumber() << "\n";
    return Ok;
}

const Registration bookCommand(QStringLiteral("book"),
                               {QStringLiteral("book VAN NAAR BEDRAG OMSCHRIJVING [--date JJJJ-MM-DD] [--open-item]"),
                                QStringLiteral("boekt een bedrag van de ene rekeningpositie naar de andere en toont het boekstuknummer"),
                                book});
const Registration openItemsCommand(QStringLiteral("open-items"),
                                    {QStringLiteral("open-items payables|receivables"),
                                     QStringLiteral("toont de openstaande posten met hun volgnummer"), openItems});
const Registration settleCommand(QStringLiteral("settle"),
                                 {QStringLiteral("settle payables|receivables NUMMER REKENING BEDRAG OMSCHRIJVING [--date JJJJ-MM-DD]"),
                                  QStringLiteral("betaalt of ontvangt (een deel van) een openstaande post via een financiële rekening"),
                                  settle});

} // namespace
} // namespace zelk::cli
