#include "printbalans.h"

#include "amountformat.h"
#include "databases.h"
#include "rekeningschema.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"

namespace zelk {

namespace {
// Geometry of the detail band, in mm from its top-left corner.
constexpr double ColumnWidth = 93.0;
constexpr double RightColumn = 97.0;
constexpr double HeadingHeight = 9.0;
constexpr double RowHeight = 4.8;
constexpr double FirstRow = 11.0;      // row 1 of the income and expenses columns
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
// A slot within its column: the name from NameLeft up to the amount's box (less
// ColumnGap), the amount right-aligned in its box, which ends at AmountRight. An account's
// box holds any balance ("-9,999,999,999.99"); the box of a result, a total or an equity
// line holds any sum the report can show ("-€ 999,999,999,999.99").
constexpr double NameLeft = 2.0;
constexpr double AmountRight = 91.0;
constexpr double AccountAmount = 28.0;
constexpr double SumAmount = 33.0;

const QString Increased = QStringLiteral("Saldo (toegenomen vermogen)");
const QString Decreased = QStringLiteral("Saldo (afgenomen vermogen)");

TextStyle rowStyle()
{
    TextStyle style;
    style.pointSize = 9;
    return style;
}

// Slot keys: the position number, or "6i"/"6u" for the deposit differences in the
// income/expenses column, "si"/"su" for the result lines, "ti"/"tu"/"ta" for the totals,
// "evo"/"evn" for the equity lines.
QString key(int position)
{
    return QString::number(position);
}
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
    const TextStyle heading = rowStyle().withSize(12).withBold().withItalic().centred();
    const TextStyle row = rowStyle();
    const TextStyle bold = rowStyle().withBold();

    auto box = [&](const QString &name, double x, double top, double bottom) {
        band.addBox(name, QRectF(x, top, ColumnWidth, bottom - top), Qt::black);
    };
    auto headed = [&](const QString &name, const QString &text, double x, double top) {
        band.addBox(name + QStringLiteral("_kader"), QRectF(x, top, ColumnWidth, HeadingHeight), Qt::black);
        band.addLabel(name, QRectF(x, top, ColumnWidth, HeadingHeight), text, heading);
    };
    auto slot = [&](const QString &slotKey, double x, double y, double amountWidth = AccountAmount,
                    const TextStyle &nameStyle = rowStyle()) {
        const double amountLeft = AmountRight - amountWidth;
        band.addLabel(QStringLiteral("n_") + slotKey, QRectF(x + NameLeft, y, amountLeft - ColumnGap - NameLeft, RowHeight), {}, nameStyle);
        band.addLabel(QStringLiteral("b_") + slotKey, QRectF(x + amountLeft, y, amountWidth, RowHeight), {}, row.rightAligned());
    };

    // Income and expenses, side by side.
    box(QStringLiteral("inkomstenkader"), 0, 0, ColumnsBottom);
    box(QStringLiteral("uitgavenkader"), RightColumn, 0, ColumnsBottom);
    headed(QStringLiteral("inkomsten"), QStringLiteral("INKOMSTEN"), 0, 0);
    headed(QStringLiteral("uitgaven"), QStringLiteral("UITGAVEN"), RightColumn, 0);
    const auto &income = rekeningschema::inkomsten();
    for (std::size_t i = 0; i < income.size(); ++i)
        slot(key(income[i]), 0, FirstRow + i * RowHeight);
    const auto &costs = rekeningschema::kosten();
    for (std::size_t i = 0; i < costs.size(); ++i)
        slot(key(costs[i]), RightColumn, FirstRow + i * RowHeight);
    slot(QStringLiteral("6i"), 0, FirstRow + 16 * RowHeight);
    slot(QStringLiteral("6u"), RightColumn, FirstRow + 16 * RowHeight);
    slot(QStringLiteral("si"), 0, FirstRow + 17 * RowHeight, SumAmount);
    slot(QStringLiteral("su"), RightColumn, FirstRow + 17 * RowHeight, SumAmount);
    band.addLine(QStringLiteral("kolommenlijn"), QPointF(0, ColumnsLine), QPointF(RightColumn + ColumnWidth, ColumnsLine));
    slot(QStringLiteral("ti"), 0, ColumnsTotal, SumAmount, bold);
    slot(QStringLiteral("tu"), RightColumn, ColumnsTotal, SumAmount, bold);
    band.setText(QStringLiteral("n_ti"), QStringLiteral("TOTAAL"));
    band.setText(QStringLiteral("n_tu"), QStringLiteral("TOTAAL"));

    // Bank and cash.
    box(QStringLiteral("vermogenkader"), 0, LowerTop, LowerBottom);
    headed(QStringLiteral("vermogen"), QStringLiteral("SALDI VERMOGENSREKENINGEN"), 0, LowerTop);
    const auto &money = rekeningschema::financieel();
    for (std::size_t i = 0; i < money.size(); ++i)
        slot(key(money[i]), 0, LowerFirstRow + i * RowHeight);
    band.addLine(QStringLiteral("vermogenlijn"), QPointF(2, AssetsLine), QPointF(ColumnWidth - 2, AssetsLine));
    slot(QStringLiteral("ta"), 0, AssetsTotal, SumAmount, bold);
    band.setText(QStringLiteral("n_ta"), QStringLiteral("TOTAAL"));

    // Open items, and the equity before and after the result.
    box(QStringLiteral("openstaandkader"), RightColumn, LowerTop, LowerTop + 22);
    headed(QStringLiteral("openstaand"), QStringLiteral("OPENSTAAND"), RightColumn, LowerTop);
    slot(key(rekeningschema::nogTeBetalen), RightColumn, LowerFirstRow);
    slot(key(rekeningschema::nogTeOntvangen), RightColumn, LowerFirstRow + RowHeight);
    box(QStringLiteral("eigenvermogenkader"), RightColumn, EquityTop, LowerBottom);
    headed(QStringLiteral("eigenvermogen"), QStringLiteral("EIGEN VERMOGEN"), RightColumn, EquityTop);
    slot(QStringLiteral("evo"), RightColumn, LowerFirstRow + 6 * RowHeight, SumAmount); // level with position 37
    slot(QStringLiteral("evn"), RightColumn, AssetsTotal, SumAmount);                   // level with the assets total
}

void printbalans::fill(const QString &slot, const QString &name, const QString &amount)
{
    Band &band = *m_report->band(BandKind::Detail);
    band.setText(QStringLiteral("n_") + slot, name);
    band.setText(QStringLiteral("b_") + slot, amount);
}

void printbalans::toonsaldo()
{
    Table &accounts = m_data->rekeningtabel;
    QStringList names;
    std::vector<double> balances;
    for (int row = 0; row < accounts.recordCount(); ++row) {
        names << accounts.valueAt(row, veld::rekeningen::Naam).toString();
        balances.push_back(accounts.valueAt(row, veld::rekeningen::Saldo).toDouble());
    }
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
