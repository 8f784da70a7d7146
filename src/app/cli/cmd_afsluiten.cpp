// close-year and clean-slate: the year-end closing and the clean slate, the same engine
// actions as the screens "Afsluiten boekjaar" and "Met schone lei beginnen". Each makes a
// safety copy first and names it.
#include "command.h"
#include "jaarafsluiting.h"
#include "schoneleimaken.h"
#include "session.h"

#include <QDir>

namespace zelk::cli {
namespace {

void tellCopy(Io &io, const veiligheidskopie::Kopie &kopie)
{
    io.out << QStringLiteral("Veiligheidskopie van daarvoor: %1 (%2)\n").arg(kopie.naam, QDir::toNativeSeparators(kopie.pad));
}

int closeYear(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QString text = takeOption(args, QStringLiteral("--date"));
    if (!args.isEmpty())
        throw UsageError("close-year heeft alleen --date JJJJ-MM-DD");
    if (text.isEmpty())
        throw UsageError("close-year heeft de afsluitdatum nodig: --date JJJJ-MM-DD");
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        throw UsageError("--date moet een datum zijn als 2026-12-31, niet \"" + text.toStdString() + "\"");
    auto data = openForWriting(io);
    const veiligheidskopie::Kopie kopie = jaarafsluiten(*data, date);
    io.out << QStringLiteral("Boekjaar afgesloten per %1; laatste boekstuknummer %2.\n")
                  .arg(date.toString(QStringLiteral("dd-MM-yyyy")))
                  .arg(data->lastJournalNumber());
    tellCopy(io, kopie);
    return Ok;
}

int cleanSlate(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const bool sure = takeFlag(args, QStringLiteral("--yes"));
    if (!args.isEmpty())
        throw UsageError("clean-slate heeft alleen --yes");
    if (!sure)
        throw UsageError("clean-slate maakt het journaal, alle saldi en alle openstaande posten leeg; bevestig met --yes");
    auto data = openForWriting(io);
    tellCopy(io, schoneLei(*data));
    io.out << QStringLiteral("Journaal, saldi en openstaande posten zijn leeggemaakt; leden en rekeningnamen zijn gebleven.\n");
    return Ok;
}

const Registration closeYearCommand(QStringLiteral("close-year"),
                                    {QStringLiteral("close-year --date JJJJ-MM-DD"),
                                     QStringLiteral("sluit het boekjaar af zoals Afsluiten boekjaar: journaal leeg, contributievinkjes een "
                                                    "jaar verder, bank, kas, 24 en 25 als beginbalans (na een veiligheidskopie)"),
                                     closeYear});
const Registration cleanSlateCommand(QStringLiteral("clean-slate"),
                                     {QStringLiteral("clean-slate --yes"),
                                      QStringLiteral("begint met schone lei: journaal, saldi en openstaande posten leeg, leden en "
                                                     "rekeningnamen blijven (na een veiligheidskopie)"),
                                      cleanSlate});

} // namespace
} // namespace zelk::cli
