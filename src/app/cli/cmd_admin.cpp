// init and admin: create or choose the current administration.
#include "administraties.h"
#include "command.h"
#include "session.h"

namespace zelk::cli {
namespace {

int init(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const bool named = args.contains(QStringLiteral("--name"));
    const QString name = takeOption(args, QStringLiteral("--name"));
    if (!args.isEmpty())
        throw UsageError("onbekend argument: " + args.first().toStdString());
    auto data = openForWriting(io);
    if (named)
        data->setVerenigingsnaam(name);
    io.out << data->werkmap() << "\n";
    return Ok;
}

int admin(const QStringList &args, Io &io)
{
    if (args.size() > 1)
        throw UsageError("te veel argumenten");
    auto data = args.isEmpty() ? openForReading(io) : openForWriting(io);
    if (args.size() == 1) {
        const int item = toInt(args.first(), QStringLiteral("De administratie"));
        if (item < 0 || item >= administraties::aantal)
            throw UsageError("kies een administratie van 0 tot en met 4");
        data->switchAdministration(item);
    }
    const int item = administraties::itemOf(data->werkmap());
    io.out << item << "\t" << administraties::caption(item) << "\t" << data->werkmap() << "\n";
    return Ok;
}

const Registration
    initCommand(QStringLiteral("init"),
                {QStringLiteral("init [--name NAAM]"),
                 QStringLiteral("maakt of opent de huidige administratie (met de naam van de vereniging) en toont de werkmap"), init});
const Registration adminCommand(QStringLiteral("admin"),
                                {QStringLiteral("admin [0-4]"),
                                 QStringLiteral("toont of kiest de huidige administratie (0 = Zelk (standaard), 1-4 = Zelk01-Zelk04)"),
                                 admin});

} // namespace
} // namespace zelk::cli
