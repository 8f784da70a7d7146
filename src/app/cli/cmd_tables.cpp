// accounts, journal and check: read the tables of the current administration.
#include "command.h"
#include "controle.h"
#include "rekeningschema.h"
#include "session.h"
#include "store/velden.h"

#include <cmath>

namespace zelk::cli {
namespace {

QString plainAmount(double amount)
{
    return QString::number(amount, 'f', 2);
}

int accounts(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("accounts heeft geen argumenten");
    auto data = openForReading(io);
    Table &t = data->rekeningtabel;
    for (int i = 0; i < t.recordCount(); ++i)
        io.out << i + 1 << "\t" << t.valueAt(i, veld::rekeningen::Nummer).toLongLong() << "\t"
               << t.valueAt(i, veld::rekeningen::Naam).toString() << "\t" << plainAmount(t.valueAt(i, veld::rekeningen::Saldo).toDouble())
               << "\n";
    return Ok;
}

int journal(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("journal heeft geen argumenten");
    auto data = openForReading(io);
    Table &t = data->journaaltabel;
    for (int i = 0; i < t.recordCount(); ++i)
        io.out << std::llround(t.valueAt(i, veld::journaal::JrNr).toDouble()) << "\t"
               << t.valueAt(i, veld::journaal::Datum).toDate().toString(Qt::ISODate) << "\t"
               << t.valueAt(i, veld::journaal::Omschrijving).toString() << "\t" << t.valueAt(i, veld::journaal::Vanrekening).toString()
               << "\t" << t.valueAt(i, veld::journaal::Naarrekening).toString() << "\t"
               << plainAmount(t.valueAt(i, veld::journaal::Bedrag).toDouble()) << "\n";
    return Ok;
}

int check(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("check heeft geen argumenten");
    auto data = openForReading(io);
    bool errors = false;
    for (const controle::Bevinding &b : controle::controleer(*data)) {
        const bool error = b.soort == controle::Bevinding::Soort::Fout;
        errors = errors || error;
        io.out << (error ? QString() : QStringLiteral("Waarschuwing: ")) << b.tekst << "\n";
    }
    if (errors)
        return Failed;
    io.out << "OK\n";
    return Ok;
}

const Registration accountsCommand(QStringLiteral("accounts"),
                                   {QStringLiteral("accounts"),
                                    QStringLiteral("toont de 37 rekeningen: positie, nummer, naam, saldo (tab-gescheiden)"), accounts});
const Registration journalCommand(QStringLiteral("journal"),
                                  {QStringLiteral("journal"),
                                   QStringLiteral("toont het journaal: boekstuknummer, datum, omschrijving, van, naar, bedrag"), journal});
const Registration checkCommand(QStringLiteral("check"),
                                {QStringLiteral("check"),
                                 QStringLiteral("controleert de tabellen en hun kolommen, het rekeningschema, de saldi tegen het journaal "
                                                "en de boekstuknummers; fouten geven code 1, waarschuwingen niet"),
                                 check});

} // namespace
} // namespace zelk::cli
