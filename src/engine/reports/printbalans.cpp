#include "printbalans.h"

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
constexpr double ColumnsLine = 99.5;   // the line across both columns
constexpr double ColumnsTotal = 101.5; // their "TOTAAL" row
constexpr double ColumnsBottom = 108.0;
constexpr double LowerTop = 114.0; // the three boxes below the columns
constexpr double LowerFirstRow = 125.0;
constexpr double AssetsLine = 160.5;
constexpr double AssetsTotal = 162.5;
constexpr double LowerBottom = 170.0;
constexpr double EquityTop = 139.0;
constexpr double BandHeight = 172.0;

const QString Increased = QStringLiteral("Saldo (toegenomen vermogen)");
const QString Decreased = QStringLiteral("Saldo (afgenomen vermogen)");

// Slot keys: the position number, or "6i"/"6u" for the deposit differences in the
// income/expenses column, "si"/"su" for the result lines, "ti"/"tu"/"ta" for the totals,
// "evo"/"evn" for the equity lines.
} // namespace

printbalans::printbalans(DataModule1 &data) : printbalans(frameSettingsOf(data))
{
    m_data = &data;
}

printbalans::printbalans(FrameSettingsSource settings) : m_report(std::make_shared<Report>(titles::printbalans.unit))
{
    ReportFrame::apply(*m_report, titles::printbalans, std::move(settings));
    buildLayout();
    toonsaldo(QStringList(rekeningschema::aantal, QString()), std::vector<double>(rekeningschema::aantal, 0.0));
}

void printbalans::buildLayout()
{
    Band &band = m_report->addBand(BandKind::Detail, BandHeight);
    Blad blad(band);
    const TextStyle bold = rowStyle().withBold();

    // Income and expenses, side by side.
    blad.box(QStringLiteral("inkomstenkader"), 0, 0, ColumnsBottom);
    blad.box(QStringLiteral("uitgavenkader"), RightColumn, 0, ColumnsBottom);
    blad.heading(QStringLiteral("inkomsten"), QStringLiteral("INKOMSTEN"), 0, 0);
    blad.heading(QStringLiteral("uitgaven"), QStringLiteral("UITGAVEN"), RightColumn, 0);
    const auto &income = rekeningschema::inkomsten();
    for (std::size_t i = 0; i < income.size(); ++i)
        blad.slot(key(income[i]), 0, FirstRow + i * RowHeight);
    const auto &costs = rekeningschema::kosten();
    for (std::size_t i = 0; i < costs.size(); ++i)
        blad.slot(key(costs[i]), RightColumn, FirstRow + i * RowHeight);
    blad.slot(QStringLiteral("6i"), 0, FirstRow + 16 * RowHeight);
    blad.slot(QStringLiteral("6u"), RightColumn, FirstRow + 16 * RowHeight);
    blad.slot(QStringLiteral("si"), 0, FirstRow + 17 * RowHeight, SumAmount);
    blad.slot(QStringLiteral("su"), RightColumn, FirstRow + 17 * RowHeight, SumAmount);
    blad.line(QStringLiteral("kolommenlijn"), ColumnsLine);
    blad.slot(QStringLiteral("ti"), 0, ColumnsTotal, SumAmount, bold);
    blad.slot(QStringLiteral("tu"), RightColumn, ColumnsTotal, SumAmount, bold);
    band.setText(QStringLiteral("n_ti"), QStringLiteral("TOTAAL"));
    band.setText(QStringLiteral("n_tu"), QStringLiteral("TOTAAL"));

    // Bank and cash.
    blad.box(QStringLiteral("vermogenkader"), 0, LowerTop, LowerBottom);
    blad.heading(QStringLiteral("vermogen"), QStringLiteral("SALDI VERMOGENSREKENINGEN"), 0, LowerTop);
    const auto &money = rekeningschema::financieel();
    for (std::size_t i = 0; i < money.size(); ++i)
        blad.slot(key(money[i]), 0, LowerFirstRow + i * RowHeight);
    band.addLine(QStringLiteral("vermogenlijn"), QPointF(2, AssetsLine), QPointF(ColumnWidth - 2, AssetsLine));
    blad.slot(QStringLiteral("ta"), 0, AssetsTotal, SumAmount, bold);
    band.setText(QStringLiteral("n_ta"), QStringLiteral("TOTAAL"));

    // Open items, and the equity before and after the result.
    blad.box(QStringLiteral("openstaandkader"), RightColumn, LowerTop, LowerTop + 22);
    blad.heading(QStringLiteral("openstaand"), QStringLiteral("OPENSTAAND"), RightColumn, LowerTop);
    blad.slot(key(rekeningschema::nogTeBetalen), RightColumn, LowerFirstRow);
    blad.slot(key(rekeningschema::nogTeOntvangen), RightColumn, LowerFirstRow + RowHeight);
    blad.box(QStringLiteral("eigenvermogenkader"), RightColumn, EquityTop, LowerBottom);
    blad.heading(QStringLiteral("eigenvermogen"), QStringLiteral("EIGEN VERMOGEN"), RightColumn, EquityTop);
    blad.slot(QStringLiteral("evo"), RightColumn, LowerFirstRow + 6 * RowHeight, SumAmount); // level with position 37
    blad.slot(QStringLiteral("evn"), RightColumn, AssetsTotal, SumAmount);                   // level with the assets total
}

void printbalans::fill(const QString &slot, const QString &name, const QString &amount)
{
    Blad(*m_report->band(BandKind::Detail)).fill(slot, name, amount);
}

void printbalans::toonsaldo()
{
    Table &accounts = m_data->rekeningtabel;
    QStringList names;
    std::vector<double> balances;
    rekeningen(accounts, names, balances);
    toonsaldo(names, balances);
    accounts.moveTo(rekeningschema::eigenVermogen - 1);
}

void printbalans::toonsaldo(const QStringList &namen, const std::vector<double> &saldi)
{
    using namespace rekeningschema;
    m_cijfers = berekenBalans(saldi); // checks that there are 37 balances
    const AmountFormat &format = AmountFormat::current();
    auto name = [&](int position) { return namen.value(position - 1); };
    auto saldo = [&](int position) { return saldi[std::size_t(position - 1)]; };

    // Every account and result slot starts empty; zero balances leave theirs empty.
    for (int p = 1; p <= aantal; ++p)
        if (p != eigenVermogen && p != stortingverschillen) // those have no slot of their own
            fill(key(p), {}, {});
    for (const char *slot : {"6i", "6u", "si", "su"})
        fill(QString::fromLatin1(slot), {}, {});

    for (int p : financieel())
        if (saldo(p) != 0)
            fill(key(p), name(p), format.display(saldo(p)));
    if (saldo(stortingverschillen) > 0)
        fill(QStringLiteral("6u"), name(stortingverschillen), format.display(saldo(stortingverschillen)));
    else if (saldo(stortingverschillen) < 0)
        fill(QStringLiteral("6i"), name(stortingverschillen), format.display(-saldo(stortingverschillen)));
    for (int p : inkomsten())
        if (saldo(p) != 0)
            fill(key(p), name(p), format.display(-saldo(p)));
    for (int p : kosten())
        if (saldo(p) != 0)
            fill(key(p), name(p), format.display(saldo(p)));
    // The open items print always, also at zero.
    fill(key(nogTeBetalen), name(nogTeBetalen), format.display(m_cijfers.nogTeBetalen));
    fill(key(nogTeOntvangen), name(nogTeOntvangen), format.display(m_cijfers.nogTeOntvangen));

    Band &band = *m_report->band(BandKind::Detail);
    band.setText(QStringLiteral("b_ta"), format.currency(m_cijfers.activa));
    if (m_cijfers.toegenomen)
        fill(QStringLiteral("su"), Increased, format.display(m_cijfers.saldoRegel));
    else
        fill(QStringLiteral("si"), Decreased, format.display(m_cijfers.saldoRegel));
    band.setText(QStringLiteral("b_ti"), format.currency(m_cijfers.totaal));
    band.setText(QStringLiteral("b_tu"), format.currency(m_cijfers.totaal));
    fill(QStringLiteral("evo"), name(eigenVermogen) + QStringLiteral(" oud"), format.currency(m_cijfers.eigenVermogenOud));
    fill(QStringLiteral("evn"), name(eigenVermogen) + QStringLiteral(" nieuw"), format.currency(m_cijfers.eigenVermogenNieuw));
}

} // namespace zelk
