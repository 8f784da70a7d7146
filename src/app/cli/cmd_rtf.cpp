// zelk-cli rtf: looking at and rewriting rich-text files without the desktop program.
#include "command.h"

#include "rtf/rtf.h"

#include <QTextDocument>

namespace zelk::cli {

namespace {

// "rtf text FILE": the lines an e-mail body made from the file would carry.
int printText(const QString &path, Io &io)
{
    QTextDocument doc;
    rtf::readFile(path, &doc);
    for (const QString &line : rtf::plainTextLines(doc))
        io.out << line << '\n';
    return Ok;
}

// "rtf copy IN OUT": read any letter file and save it again as this program writes RTF.
int copy(const QString &from, const QString &to)
{
    QTextDocument doc;
    rtf::readFile(from, &doc);
    rtf::writeFile(doc, to);
    return Ok;
}

int run(const QStringList &args, Io &io)
{
    const QString action = args.value(0);
    if (action == QLatin1String("text") && args.size() == 2)
        return printText(args.at(1), io);
    if (action == QLatin1String("copy") && args.size() == 3)
        return copy(args.at(1), args.at(2));
    throw UsageError("Kies \"text BESTAND\" of \"copy BRON DOEL\"");
}

const Registration registration(QStringLiteral("rtf"),
    Command{QStringLiteral("rtf text BESTAND | rtf copy BRON DOEL"),
            QStringLiteral("toont een (RTF-)document als de tekstregels van een e-mail, of schrijft het opnieuw als RTF"),
            run});

} // namespace

} // namespace zelk::cli
