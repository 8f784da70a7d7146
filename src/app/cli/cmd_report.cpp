// report: lays out one of the program's reports for the current administration and saves
// it as PDF, plain text, comma-separated text or HTML, as the print preview would.
#include "command.h"
#include "databases.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/printbalans.h"
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
    };
    return reports;
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

    auto data = openSession();
    ReportDocument document(builder->second(*data));
    exportReport(document, *format, output);
    for (const QString &message : document.report().messages())
        io.err << "Let op: " << message << "\n";
    io.out << QStringLiteral("%1 blad(en) geschreven naar %2\n").arg(document.pageCount()).arg(output);
    return Ok;
}

const Registration reportCommand(QStringLiteral("report"),
                                 {QStringLiteral("report NAAM [--format pdf|txt|csv|html] -o BESTAND"),
                                  QStringLiteral("slaat een overzicht op (balans, rekeningen) als PDF, tekst, CSV of HTML"),
                                  report});

} // namespace
} // namespace zelk::cli
