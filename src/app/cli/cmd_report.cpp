// report: lays out one of the program's reports for the current administration and saves
// it as PDF, plain text, comma-separated text or HTML, as the print preview would.
#include "command.h"
#include "databases.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/reportcatalogus.h"
#include "session.h"

#include <QFileInfo>

namespace zelk::cli {
namespace {

// "--filter FIELD=TEXT": the members whose field holds the text (ignoring case), as the
// member register's filter panel lets them through to the member reports.
void filterMembers(DataModule1 &data, const QString &filter)
{
    const qsizetype split = filter.indexOf(u'=');
    if (split <= 0)
        throw UsageError("--filter moet de vorm VELD=TEKST hebben");
    Table &members = data.ledentabel;
    const int field = members.schema().indexOf(filter.left(split));
    if (field < 0)
        throw UsageError("--filter: de ledentabel heeft geen veld \"" + filter.left(split).toStdString() + "\"");
    const QString text = filter.mid(split + 1);
    members.setFiltered(true);
    members.setCondition(
        [field, text](const Table::Values &values) { return values.value(field).toString().contains(text, Qt::CaseInsensitive); });
}

// The zelk-cli names of the reports, in alphabetical order; only those that show the
// filtered members when `members` is set.
QString names(bool members = false)
{
    QStringList all;
    for (const ReportEntry &entry : reportCatalogus())
        if (!members || entry.memberFilter)
            all << entry.cliName;
    all.sort();
    return all.join(QStringLiteral(", "));
}

// The help text: what the command does, then every report by name with its title.
QString summary()
{
    // Continuation lines line up under the summary's first line in zelk-cli --help.
    const QString indent = QStringLiteral("\n      ");
    QString text = QStringLiteral("slaat een overzicht op als PDF, tekst, CSV of HTML; NAAM is een van:");
    qsizetype width = 0;
    for (const ReportEntry &entry : reportCatalogus())
        width = std::max(width, entry.cliName.size());
    for (const ReportEntry &entry : reportCatalogus())
        text += indent + QStringLiteral("  ") + entry.cliName.leftJustified(width + 2) + entry.title;
    text += indent + QStringLiteral("--filter VELD=TEKST neemt alleen de leden met TEKST in VELD (bij ") + names(true) + u')';
    return text;
}

int report(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QString output = takeOption(args, QStringLiteral("-o"));
    QString formatName = takeOption(args, QStringLiteral("--format"));
    const QString filter = takeOption(args, QStringLiteral("--filter"));
    if (args.size() != 1)
        throw UsageError("report heeft precies één NAAM nodig: " + names().toStdString());
    const ReportEntry *entry = reportByCliName(args.first());
    if (!entry)
        throw UsageError("onbekend overzicht \"" + args.first().toStdString() + "\"; kies uit " + names().toStdString());
    if (!filter.isEmpty() && !entry->memberFilter)
        throw UsageError("--filter geldt alleen voor " + names(true).toStdString() + ", niet voor \"" + entry->cliName.toStdString()
                         + "\"");
    if (output.isEmpty())
        throw UsageError("geef met -o BESTAND aan waar het overzicht heen moet");
    if (formatName.isEmpty())
        formatName = QFileInfo(output).suffix();
    const auto format = exportFormatFromName(formatName);
    if (!format)
        throw UsageError("--format moet pdf, txt, csv of html zijn, niet \"" + formatName.toStdString() + "\"");

    auto data = openForReading(io);
    if (!filter.isEmpty())
        filterMembers(*data, filter);
    ReportDocument document(entry->build(*data));
    exportReport(document, *format, output);
    for (const QString &message : document.report().messages())
        io.err << "Let op: " << message << "\n";
    io.out << QStringLiteral("%1 blad(en) geschreven naar %2\n").arg(document.pageCount()).arg(output);
    return Ok;
}

const Registration reportCommand(QStringLiteral("report"),
                                 {QStringLiteral("report NAAM [--format pdf|txt|csv|html] [--filter VELD=TEKST] -o BESTAND"), summary(),
                                  report});

} // namespace
} // namespace zelk::cli
