// report: lays out one of the program's reports for the current administration and saves
// it as PDF, plain text, comma-separated text or HTML, as the print preview would.
#include "amountformat.h"
#include "begroting.h"
#include "command.h"
#include "databases.h"
#include "filtercriteria.h"
#include "rekeningmutaties.h"
#include "rekeningschema.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "report/reporttitles.h"
#include "reports/printbegroot.h"
#include "reports/reportcatalogus.h"
#include "session.h"
#include "zelkerror.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace zelk::cli {
namespace {

// "--filter FIELD=TEXT": the members whose field holds the text (ignoring case), as the
// member register's filter panel lets them through to the member reports.
void filterMembers(DataModule1 &data, const QStringList &filters)
{
    Table &members = data.ledentabel;
    std::vector<std::pair<int, QString>> tests;
    for (const QString &filter : filters) {
        const qsizetype split = filter.indexOf(u'=');
        if (split <= 0)
            throw UsageError("--filter moet de vorm VELD=TEKST hebben");
        const int field = members.schema().indexOf(filter.left(split));
        if (field < 0)
            throw UsageError("--filter: de ledentabel heeft geen veld \"" + filter.left(split).toStdString() + "\"");
        tests.emplace_back(field, filter.mid(split + 1));
    }
    members.setFiltered(true);
    members.setCondition([tests](const Table::Values &values) {
        for (const auto &[field, text] : tests)
            if (!values.value(field).toString().contains(text, Qt::CaseInsensitive))
                return false;
        return true;
    });
}

// Every "--name VALUE" of the arguments, removed from them.
QStringList takeAll(QStringList &args, const QString &name)
{
    QStringList values;
    for (QString value = takeOption(args, name); !value.isEmpty(); value = takeOption(args, name))
        values << value;
    return values;
}

std::pair<QString, QString> splitAt(const QString &text, const QString &separator, const char *option, const char *form)
{
    const qsizetype at = text.indexOf(separator);
    if (at <= 0)
        throw UsageError(std::string(option) + " moet de vorm " + form + " hebben, niet \"" + text.toStdString() + "\"");
    return {text.left(at), text.mid(at + separator.size())};
}

// "--filter FIELD=TEXT" and "--range FIELD=FROM..TO" filled into the criteria of the
// overview the report follows, as its filter panel would be; FIELD is the panel's label or
// the field's name. Amounts are written as elsewhere in zelk-cli (12.50), dates as 31-12-2025.
FilterCriteria overviewCriteria(const ReportEntry &entry, const QStringList &filters, const QStringList &ranges)
{
    FilterCriteria criteria(entry.criteria(), AmountFormat());
    auto criterion = [&](const QString &field, const char *option, bool range) {
        const int index = criteria.indexOf(field);
        QStringList fitting;
        for (const FilterCriterion &c : criteria.criteria())
            if (c.isRange() == range)
                fitting << c.label;
        if (index < 0 || criteria.criteria()[index].isRange() != range)
            throw UsageError(QStringLiteral("%1 kent bij %2 geen veld \"%3\"; kies uit %4")
                                 .arg(QLatin1String(option), entry.cliName, field, fitting.join(QStringLiteral(", ")))
                                 .toStdString());
        return index;
    };
    for (const QString &filter : filters) {
        const auto [field, text] = splitAt(filter, QStringLiteral("="), "--filter", "VELD=TEKST");
        criteria.setText(criterion(field, "--filter", false), text);
    }
    for (const QString &range : ranges) {
        const auto [field, bounds] = splitAt(range, QStringLiteral("="), "--range", "VELD=VAN..TOT");
        const qsizetype dots = bounds.indexOf(QStringLiteral(".."));
        if (dots < 0)
            throw UsageError("--range moet de vorm VELD=VAN..TOT hebben (VAN of TOT mag leeg zijn), niet \"" + range.toStdString() + "\"");
        const int index = criterion(field, "--range", true);
        criteria.setRange(index, bounds.left(dots), bounds.mid(dots + 2));
        if (const QString problem = criteria.problem(index); !problem.isEmpty())
            throw UsageError(("--range " + problem).toStdString());
    }
    return criteria;
}

// The zelk-cli names of the reports, in alphabetical order; with `which`, only those it accepts.
QString names(const std::function<bool(const ReportEntry &)> &which = {})
{
    QStringList all;
    for (const ReportEntry &entry : reportCatalogus())
        if (!which || which(entry))
            all << entry.cliName;
    all.sort();
    return all.join(QStringLiteral(", "));
}

bool takesFilter(const ReportEntry &entry)
{
    return entry.memberFilter || entry.criteria;
}

bool takesRange(const ReportEntry &entry)
{
    if (!entry.criteria)
        return false;
    return std::ranges::any_of(entry.criteria(), &FilterCriterion::isRange);
}

// The per-account report lists hulp.db; --account builds it first.
bool takesAccount(const ReportEntry &entry)
{
    return entry.unit == titles::overzichtmutrekeningen.unit;
}

// The budget report takes its amounts from a file; the program's budget screen holds them.
bool takesBudget(const ReportEntry &entry)
{
    return entry.unit == titles::printbegroot.unit;
}

// "--budget FILE": lines "position;amount", read as the budget report's amounts.
Begroting readBudget(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("De begroting %1 kan niet gelezen worden: %2").arg(path, file.errorString()));
    return leesBegroting(QString::fromUtf8(file.readAll()));
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
    text += indent + QStringLiteral("--filter VELD=TEKST neemt alleen de rijen met TEKST in VELD (bij ") + names(takesFilter) + u')';
    text += indent
        + QStringLiteral("--range VELD=VAN..TOT neemt alleen de rijen met VELD van VAN tot en met TOT; VAN of TOT mag leeg zijn (bij ")
        + names(takesRange) + u')';
    for (const ReportEntry &entry : reportCatalogus()) {
        if (!entry.criteria)
            continue;
        QStringList texts, ranges;
        for (const FilterCriterion &c : entry.criteria())
            (c.isRange() ? ranges : texts) << c.label;
        text += indent + QStringLiteral("  bij %1: --filter %2; --range %3").arg(entry.cliName, texts.join(u'/'), ranges.join(u'/'));
    }
    text += indent + QStringLiteral("  datums als 31-12-2026, bedragen als 12.50");
    text += indent + QStringLiteral("--budget BESTAND neemt de begrote bedragen uit BESTAND, regels POSITIE;BEDRAG zoals 7;1200.00 (bij ")
        + names(takesBudget) + u')';
    text += indent + QStringLiteral("--account POSITIE bouwt eerst de mutaties van die rekening (1-37) op uit het journaal (bij ")
        + names(takesAccount) + u')';
    return text;
}

void refuse(const char *option, const QString &which, const ReportEntry &entry)
{
    throw UsageError(
        QStringLiteral("%1 geldt alleen voor %2, niet voor \"%3\"").arg(QLatin1String(option), which, entry.cliName).toStdString());
}

int report(const QStringList &arguments, Io &io)
{
    QStringList args = arguments;
    const QString output = takeOption(args, QStringLiteral("-o"));
    QString formatName = takeOption(args, QStringLiteral("--format"));
    const QStringList filters = takeAll(args, QStringLiteral("--filter"));
    const QStringList ranges = takeAll(args, QStringLiteral("--range"));
    const QString account = takeOption(args, QStringLiteral("--account"));
    const QString budget = takeOption(args, QStringLiteral("--budget"));
    if (args.size() != 1)
        throw UsageError("report heeft precies één NAAM nodig: " + names().toStdString());
    const ReportEntry *entry = reportByCliName(args.first());
    if (!entry)
        throw UsageError("onbekend overzicht \"" + args.first().toStdString() + "\"; kies uit " + names().toStdString());
    if (!filters.isEmpty() && !takesFilter(*entry))
        refuse("--filter", names(takesFilter), *entry);
    if (!ranges.isEmpty() && !takesRange(*entry))
        refuse("--range", names(takesRange), *entry);
    if (!account.isEmpty() && !takesAccount(*entry))
        refuse("--account", names(takesAccount), *entry);
    if (!budget.isEmpty() && !takesBudget(*entry))
        refuse("--budget", names(takesBudget), *entry);
    const int position = account.isEmpty() ? 0 : toInt(account, QStringLiteral("--account"));
    if (!account.isEmpty() && (position < 1 || position > rekeningschema::aantal))
        throw UsageError(
            QStringLiteral("--account moet een rekeningpositie van 1 tot en met %1 zijn").arg(rekeningschema::aantal).toStdString());
    std::optional<FilterCriteria> criteria;
    if (entry->criteria)
        criteria = overviewCriteria(*entry, filters, ranges);
    if (output.isEmpty())
        throw UsageError("geef met -o BESTAND aan waar het overzicht heen moet");
    if (formatName.isEmpty())
        formatName = QFileInfo(output).suffix();
    const auto format = exportFormatFromName(formatName);
    if (!format)
        throw UsageError("--format moet pdf, txt, csv of html zijn, niet \"" + formatName.toStdString() + "\"");

    std::optional<Begroting> amounts;
    if (!budget.isEmpty())
        amounts = readBudget(budget);

    // Building the per-account list writes hulp.db: that makes the command a writer.
    auto data = account.isEmpty() ? openForReading(io) : openForWriting(io);
    if (!account.isEmpty()) {
        const rekeningmutaties::Opbouw built = rekeningmutaties::opbouwen(*data, position);
        io.out << QStringLiteral("%1 mutatie(s) van %2 opgebouwd\n").arg(built.regels).arg(built.naam);
    }
    if (entry->memberFilter && !filters.isEmpty())
        filterMembers(*data, filters);
    if (criteria && !criteria->isBlank()) {
        Table &table = (*data).*(entry->filterTable);
        table.setCondition(criteria->condition(table.schema()));
        table.setFiltered(true);
    }
    std::shared_ptr<Report> built;
    if (amounts) {
        printbegroot begroting(*data);
        begroting.vulbegroting(*amounts);
        built = begroting.report();
    } else {
        built = entry->build(*data);
    }
    ReportDocument document(built);
    exportReport(document, *format, output);
    for (const QString &message : document.report().messages())
        io.err << "Let op: " << message << "\n";
    io.out << QStringLiteral("%1 blad(en) geschreven naar %2\n").arg(document.pageCount()).arg(output);
    return Ok;
}

const Registration reportCommand(
    QStringLiteral("report"),
    {QStringLiteral("report NAAM [--format pdf|txt|csv|html] [--filter VELD=TEKST] [--range VELD=VAN..TOT] [--account POSITIE] "
                    "[--budget BESTAND] -o BESTAND"),
     summary(), report});

} // namespace
} // namespace zelk::cli
