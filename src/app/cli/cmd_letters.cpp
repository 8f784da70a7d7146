// letters: the standard letter printed for the members of a selection, as the mailing
// screen's "Afdrukken" prints it; merge: the letter as one member gets it, as plain text.
#include "command.h"
#include "databases.h"
#include "ledenselectie.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/papportstand.h"
#include "rtf/rtf.h"
#include "session.h"
#include "store/velden.h"
#include "vindtekst.h"
#include "zelkerror.h"

#include <QFileInfo>
#include <QTextDocument>

namespace zelk::cli {
namespace {

void readLetter(const QString &path, QTextDocument &letter)
{
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("De brief \"%1\" bestaat niet.").arg(path));
    rtf::readFile(path, &letter);
}

int letters(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QString output = takeOption(args, QStringLiteral("-o"));
    const FilterCriteria criteria = takeLedenfilter(args);
    if (args.size() != 1)
        throw UsageError("letters heeft precies één BRIEF nodig (een RTF-bestand)");
    if (output.isEmpty())
        throw UsageError("geef met -o BESTAND.pdf aan waar de brieven heen moeten");
    const auto format = exportFormatFromName(QFileInfo(output).suffix());
    if (!format)
        throw UsageError("-o moet eindigen op .pdf, .txt, .csv of .html, niet \"" + output.toStdString() + "\"");

    QTextDocument letter;
    readLetter(args.first(), letter);
    auto data = openForReading(io);
    Table &members = data->ledentabel;
    applyLedenfilter(members, criteria);
    ReportDocument document(papportstand(*data, letter).report());
    exportReport(document, *format, output);
    for (const QString &message : document.report().messages())
        io.err << "Let op: " << message << "\n";
    io.out << QStringLiteral("%1 brief/brieven, %2 blad(en) geschreven naar %3\n")
                  .arg(members.recordCount())
                  .arg(document.pageCount())
                  .arg(output);
    return Ok;
}

int merge(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QString name = takeOption(args, QStringLiteral("--member"));
    if (args.size() != 1 || name.isEmpty())
        throw UsageError("merge heeft een BRIEF en --member NAAM nodig");
    QTextDocument letter;
    readLetter(args.first(), letter);
    auto data = openForReading(io);
    Table &members = data->ledentabel;
    const int field = members.fieldIndex(veld::leden::Naam);
    for (int row = 0; row < members.recordCount(); ++row) {
        if (members.valueAt(row, field).toString() != name)
            continue;
        mergeMember(letter, memberValues([&members, row](QStringView f) { return members.valueAt(row, f); }));
        for (const QString &line : rtf::plainTextLines(letter))
            io.out << line << '\n';
        return Ok;
    }
    throw Error(QStringLiteral("Er is geen lid met de naam \"%1\".").arg(name));
}

const Registration lettersCommand(QStringLiteral("letters"),
                                  {QStringLiteral("letters BRIEF.rtf [--filter VELD=TEKST]... -o BESTAND.pdf"),
                                   QStringLiteral("drukt de standaardbrief af voor elk lid dat het filter doorlaat (alle leden zonder "
                                                  "filter), elk lid op een eigen blad; VELD is een van: ")
                                       + ledenfilterVelden(),
                                   letters});

const Registration mergeCommand(QStringLiteral("merge"),
                                {QStringLiteral("merge BRIEF.rtf --member NAAM"),
                                 QStringLiteral("toont de brief zoals het lid NAAM hem krijgt, als platte tekst"), merge});

} // namespace
} // namespace zelk::cli
