// snapshots and snapshot-restore: the safety copies that are made before every action
// that wipes or replaces data, listed and put back.
#include "command.h"
#include "session.h"
#include "veiligheidskopie.h"

#include <QDir>

namespace zelk::cli {
namespace {

int snapshots(const QStringList &args, Io &io)
{
    if (!args.isEmpty())
        throw UsageError("snapshots heeft geen argumenten");
    auto data = openForReading(io);
    for (const veiligheidskopie::Kopie &kopie : veiligheidskopie::lijst(data->werkmap()))
        io.out << kopie.naam << "\t" << kopie.handeling << "\t" << kopie.moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << "\n";
    return Ok;
}

int snapshotRestore(const QStringList &args, Io &io)
{
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        throw UsageError("snapshot-restore heeft de naam van een veiligheidskopie nodig (zie snapshots)");
    auto data = openForWriting(io);
    const veiligheidskopie::Kopie before = veiligheidskopie::zetTerug(*data, args[0]);
    io.out << QStringLiteral("Veiligheidskopie %1 is teruggezet.\n").arg(args[0]);
    io.out << QStringLiteral("Veiligheidskopie van daarvoor: %1 (%2)\n").arg(before.naam, QDir::toNativeSeparators(before.pad));
    return Ok;
}

const Registration snapshotsCommand(QStringLiteral("snapshots"),
                                    {QStringLiteral("snapshots"),
                                     QStringLiteral("toont de veiligheidskopieën van de administratie, de nieuwste laatst: naam, "
                                                    "handeling, datum en tijd (tab-gescheiden)"),
                                     snapshots});
const Registration snapshotRestoreCommand(QStringLiteral("snapshot-restore"),
                                          {QStringLiteral("snapshot-restore NAAM"),
                                           QStringLiteral("zet een veiligheidskopie terug, alles of niets (na een veiligheidskopie "
                                                          "van de huidige toestand)"),
                                           snapshotRestore});

} // namespace
} // namespace zelk::cli
