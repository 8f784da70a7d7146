#include "printbegroot.h"

#include "amountformat.h"
#include "databases.h"
#include "kolommenblad.h"
#include "rekeningschema.h"
#include "reportsettings.h"
#include "store/velden.h"

namespace zelk {

namespace {
using namespace kolommenblad;

// Geometry of the detail band, in mm from its top-left corner.
constexpr double ResultRow = FirstRow + 16.5 * RowHeight; // below the 16 expense lines
constexpr double ColumnsLine = ResultRow + RowHeight + 2.0;
constexpr double TotalRow = ColumnsLine + 2.0;
constexpr double ColumnsBottom = TotalRow + RowHeight + 2.0; // both boxes end here
constexpr double BandHeight = ColumnsBottom + 2.0;

const QString Tekort = QStringLiteral("Negatief saldo (tekort)");
const QString Over = QStringLiteral("Positief saldo (over)");
const QString Totaal = QStringLiteral("TOTAAL");

// Slot keys: the position number of a budget line, "si"/"su" for the result lines and
// "ti"/"tu" for the totals of the income/expense column.
} // namespace

printbegroot::printbegroot(DataModule1 &data) : printbegroot(frameSettingsOf(data))
{
    m_data = &data;
}

printbegroot::printbegroot(FrameSettingsSource settings) : m_report(std::make_shared<Report>(titles::printbegroot.unit))
{
    ReportFrame::apply(*m_report, titles::printbegroot, std::move(settings));
    buildLayout();
    vulbegroting(QStringList(rekeningschema::aantal, QString()), std::vector<double>(rekeningschema::aantal, 0.0), Begroting{});
}

void printbegroot::buildLayout()
{
    Band &band = m_report->addBand(BandKind::Detail, BandHeight);
    Blad blad(band);
    const TextStyle bold = rowStyle().withBold();
    auto column = [&](const QString &name, const QString &text, double x) {
        blad.box(name + QStringLiteral("kader"), x, 0, ColumnsBottom);
        blad.heading(name, text, x, 0);
    };

    column(QStringLiteral("inkomsten"), QStringLiteral("INKOMSTEN"), 0);
    column(QStringLiteral("uitgaven"), QStringLiteral("UITGAVEN"), RightColumn);
    const auto &income = begroting::inkomstenRegels();
    for (std::size_t i = 0; i < income.size(); ++i)
        blad.slot(key(income[i]), 0, FirstRow + i * RowHeight);
    const auto &costs = begroting::uitgavenRegels();
    for (std::size_t i = 0; i < costs.size(); ++i)
        blad.slot(key(costs[i]), RightColumn, FirstRow + i * RowHeight);
    blad.slot(QStringLiteral("si"), 0, ResultRow, SumAmount);
    blad.slot(QStringLiteral("su"), RightColumn, ResultRow, SumAmount);
    blad.line(QStringLiteral("kolommenlijn"), ColumnsLine);
    blad.slot(QStringLiteral("ti"), 0, TotalRow, SumAmount, bold);
    blad.slot(QStringLiteral("tu"), RightColumn, TotalRow, SumAmount, bold);
    band.setText(QStringLiteral("n_ti"), Totaal);
    band.setText(QStringLiteral("n_tu"), Totaal);
}

void printbegroot::fill(const QString &slot, const QString &name, const QString &amount)
{
    Blad(*m_report->band(BandKind::Detail)).fill(slot, name, amount);
}

void printbegroot::vulbegroting(const Begroting &begroting)
{
    const Table &accounts = m_data->rekeningtabel;
    QStringList names;
    std::vector<double> balances;
    rekeningen(accounts, names, balances);
    vulbegroting(names, balances, begroting);
}

void printbegroot::vulbegroting(const QStringList &namen, const std::vector<double> &saldi, const Begroting &begroting)
{
    const std::vector<BegrotingRegel> lines = begrotingsregels(namen, saldi, begroting); // checks the 37 accounts
    m_cijfers = berekenBegroting(begroting);
    const AmountFormat &format = AmountFormat::current();

    // A line prints its name and amount only when the amount is above zero.
    for (const BegrotingRegel &line : lines) {
        if (line.bedrag > 0)
            fill(key(line.positie), line.naam, format.display(line.bedrag));
        else
            fill(key(line.positie), {}, {});
    }
    fill(QStringLiteral("si"), {}, {});
    fill(QStringLiteral("su"), {}, {});
    if (m_cijfers.tekort > 0)
        fill(QStringLiteral("si"), Tekort, format.display(m_cijfers.tekort));
    else
        fill(QStringLiteral("su"), Over, format.display(m_cijfers.over));
    Band &band = *m_report->band(BandKind::Detail);
    band.setText(QStringLiteral("b_ti"), format.currency(m_cijfers.totaalInkomsten));
    band.setText(QStringLiteral("b_tu"), format.currency(m_cijfers.totaalUitgaven));

    // The CSV export: every line with its actual figure and budget amount, then the
    // result lines and the totals, amounts as the screen shows them ("0.00").
    std::vector<QStringList> &records = m_report->csvRecords;
    records.clear();
    records.push_back({QStringLiteral("Kolom"), QStringLiteral("Positie"), QStringLiteral("Rekening"), QStringLiteral("Werkelijk"),
                       QStringLiteral("Begroting")});
    const std::size_t incomeLines = begroting::inkomstenRegels().size();
    auto columnOf = [&](std::size_t index) { return index < incomeLines ? QStringLiteral("INKOMSTEN") : QStringLiteral("UITGAVEN"); };
    for (std::size_t i = 0; i < lines.size(); ++i)
        records.push_back({columnOf(i), QString::number(lines[i].positie), lines[i].naam, format.plain(lines[i].werkelijk),
                           format.plain(lines[i].bedrag)});
    records.push_back({QStringLiteral("INKOMSTEN"), {}, Tekort, {}, format.plain(m_cijfers.tekort)});
    records.push_back({QStringLiteral("UITGAVEN"), {}, Over, {}, format.plain(m_cijfers.over)});
    records.push_back({QStringLiteral("INKOMSTEN"), {}, Totaal, {}, format.plain(m_cijfers.totaalInkomsten)});
    records.push_back({QStringLiteral("UITGAVEN"), {}, Totaal, {}, format.plain(m_cijfers.totaalUitgaven)});
}

} // namespace zelk
