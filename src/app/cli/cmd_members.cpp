// members export/import: the member register to and from a spreadsheet file (CSV). The
// import checks every row by the member rules and adds all members or none; a refused file
// prints every problem with its line.
#include "command.h"
#include "ledenimport.h"
#include "session.h"

namespace zelk::cli {
namespace {

int members(const QStringList &args, Io &io)
{
    if (args.size() != 2 || (args[0] != QLatin1String("export") && args[0] != QLatin1String("import")))
        throw UsageError("gebruik: members export BESTAND.csv of members import BESTAND.csv");
    const bool exporting = args[0] == QLatin1String("export");
    auto data = exporting ? openForReading(io) : openForWriting(io);
    if (exporting) {
        const int count = ledenimport::exportCsv(data->ledentabel, args[1]);
        io.out << QStringLiteral("%1 leden geschreven naar %2\n").arg(count).arg(args[1]);
        return Ok;
    }
    const ledenimport::Result result = ledenimport::importCsv(data->ledentabel, data->database1(), args[1]);
    io.out << QStringLiteral("%1 leden ingelezen uit %2\n").arg(result.added).arg(args[1]);
    if (!result.ignored.isEmpty())
        io.out << QStringLiteral("Niet ingelezen kolommen: %1\n").arg(result.ignored.join(QStringLiteral(", ")));
    return Ok;
}

const Registration membersCommand(QStringLiteral("members"),
                                  {QStringLiteral("members export|import BESTAND.csv"),
                                   QStringLiteral("schrijft de leden naar een CSV-bestand of leest ze er (alles of niets) uit"), members});

} // namespace
} // namespace zelk::cli
