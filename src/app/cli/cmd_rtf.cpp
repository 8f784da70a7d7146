// zelk-cli rtf: looking at and rewriting rich-text files without the desktop program.
#include "command.h"

#include "rtf/rtf.h"
#include "zelkerror.h"

#include <QFile>
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

// "rtf html IN OUT": an HTML page (UTF-8) saved as RTF, e.g. the manual as the help file.
int fromHtml(const QString &from, const QString &to)
{
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.").arg(from));
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
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
    if (action == QLatin1String("html") && args.size() == 3)
        return fromHtml(args.at(1), args.at(2));
    throw UsageError("Kies \"text BESTAND\", \"copy BRON DOEL\" of \"html BRON DOEL\"");
}

const Registration
    registration(QStringLiteral("rtf"),
                 Command{QStringLiteral("rtf text BESTAND | rtf copy BRON DOEL | rtf html BRON DOEL"),
                         QStringLiteral("toont een (RTF-)document als de tekstregels van een e-mail, schrijft het opnieuw als RTF, "
                                        "of bewaart een HTML-pagina als RTF"),
                         run});

} // namespace

} // namespace zelk::cli
