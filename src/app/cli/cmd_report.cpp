// report: lays out one of the program's reports for the current administration and saves
// it as PDF, plain text, comma-separated text or HTML, as the print preview would.
#include "command.h"
#include "databases.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/ledenlijst03.h"
#include "reports/printbalans.h"
#include "reports/printcontribut.h"
#include "reports/printleden.h"
#include "reports/printledenall.h"
#include "reports/printrekeningen.h"
#include "session.h"

#include <QFileInfo>

namespace zelk::cli {
namespace {

using Builder = std::function<std::shared_ptr<Report>(DataModule1 &)>;

// The reports by the name of their unit without "print" (later reports add theirs here).
const std::map<QString, Builder> &catalogue()
{
    static const std::map<QString, Builder> reports = {
        {QStringLiteral("balans"),
         [](DataModule1 &data) {
             printbalans balans(data);
             balans.toonsaldo();
             return balans.report();
         }},
        {QStringLiteral("rekeningen"), [](DataModule1 &data) { return printrekeningen(data).report(); }},
        {QStringLiteral("leden"), [](DataModule1 &data) { return printleden(data).report(); }},
        {QStringLiteral("ledenlijst03"), [](DataModule1 &data) { return ledenlijst03(data).report(); }},
        {QStringLiteral("ledenall"), [](DataModule1 &data) { return printledenall(data).report(); }},
        {QStringLiteral("contributies"), [](DataModule1 &data) { return printcontribut(data).report(); }},
    };
    return reports;
}

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
    members.setCondition([field, text](const Table::Values &values) {
        return values.value(field).toString().contains(text, Qt::CaseInsensitive);
    });
}

QString names()
{
    QStringList all;
    for (const auto &[name, builder] : catalogue())
        all << name;
    return all.join(QStringLiteral(", "));
}

int report(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QString output = takeOption(args, QStringLiteral("-o"));
    QString formatName = takeOption(args, QStringLiteral("--format"));
    const QString filter = takeOption(args, QStringLiteral("--filter"));
    if (args.size() != 1)
        throw UsageError("report heeft precies één NAAM nodig: " + names().toStdString());
    const auto builder = catalogue().find(args.first());
    if (builder == catalogue().end())
        throw UsageError("onbekend overzicht \"" + args.first().toStdString() + "\"; kies uit " + names().toStdString());
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
    ReportDocument document(builder->second(*data));
    exportReport(document, *format, output);
    for (const QString &message : document.report().messages())
        io.err << "Let op: " << message << "\n";
    io.out << QStringLiteral("%1 blad(en) geschreven naar %2\n").arg(document.pageCount()).arg(output);
    return Ok;
}

const Registration reportCommand(QStringLiteral("report"),
                                 {QStringLiteral("report NAAM [--format pdf|txt|csv|html] [--filter VELD=TEKST] -o BESTAND"),
                                  QStringLiteral("slaat een overzicht op (balans, rekeningen, leden, ledenlijst03, ledenall, "
                                                 "contributies) als PDF, tekst, CSV of HTML; --filter beperkt de leden"),
                                  report});

} // namespace
} // namespace zelk::cli
