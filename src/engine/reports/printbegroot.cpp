#include "printbegroot.h"

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
constexpr double FirstRow = 11.0;                         // line 1 of both columns
constexpr double ResultRow = FirstRow + 16.5 * RowHeight; // below the 16 expense lines
constexpr double ColumnsLine = ResultRow + RowHeight + 2.0;
constexpr double TotalRow = ColumnsLine + 2.0;
constexpr double ColumnsBottom = TotalRow + RowHeight + 2.0; // both boxes end here
constexpr double BandHeight = ColumnsBottom + 2.0;
// A slot within its column: the name from NameLeft up to the amount's box, the amount
// right-aligned in its box, which ends at AmountRight. A line's box holds any budget
// amount ("9,999,999,999.99"), a total's box any total ("-€ 999,999,999,999.99").
constexpr double NameLeft = 2.0;
constexpr double AmountRight = 91.0;
constexpr double LineAmount = 28.0;
constexpr double SumAmount = 33.0;

const QString Tekort = QStringLiteral("Negatief saldo (tekort)");
const QString Over = QStringLiteral("Positief saldo (over)");
const QString Totaal = QStringLiteral("TOTAAL");

TextStyle rowStyle()
{
    TextStyle style;
    style.pointSize = 9;
    return style;
}

// Slot keys: the position number of a budget line, "si"/"su" for the result lines and
// "ti"/"tu" for the totals of the income/expense column.
QString key(int position)
{
    return QString::number(position);
}
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
    const TextStyle heading = rowStyle().withSize(12).withBold().withItalic().centred();
    const TextStyle row = rowStyle();
    const TextStyle bold = rowStyle().withBold();

    auto column = [&](const QString &name, const QString &text, double x) {
        band.addBox(name + QStringLiteral("kader"), QRectF(x, 0, ColumnWidth, ColumnsBottom), Qt::black);
        band.addBox(name + QStringLiteral("_kader"), QRectF(x, 0, ColumnWidth, HeadingHeight), Qt::black);
        band.addLabel(name, QRectF(x, 0, ColumnWidth, HeadingHeight), text, heading);
    };
    auto slot = [&](const QString &slotKey, double x, double y, double amountWidth = LineAmount, const TextStyle &nameStyle = rowStyle()) {
        const double amountLeft = AmountRight - amountWidth;
        band.addLabel(QStringLiteral("n_") + slotKey, QRectF(x + NameLeft, y, amountLeft - ColumnGap - NameLeft, RowHeight), {}, nameStyle);
        band.addLabel(QStringLiteral("b_") + slotKey, QRectF(x + amountLeft, y, amountWidth, RowHeight), {}, row.rightAligned());
    };

    column(QStringLiteral("inkomsten"), QStringLiteral("INKOMSTEN"), 0);
    column(QStringLiteral("uitgaven"), QStringLiteral("UITGAVEN"), RightColumn);
    const auto &income = begroting::inkomstenRegels();
    for (std::size_t i = 0; i < income.size(); ++i)
        slot(key(income[i]), 0, FirstRow + i * RowHeight);
    const auto &costs = begroting::uitgavenRegels();
    for (std::size_t i = 0; i < costs.size(); ++i)
        slot(key(costs[i]), RightColumn, FirstRow + i * RowHeight);
    slot(QStringLiteral("si"), 0, ResultRow, SumAmount);
    slot(QStringLiteral("su"), RightColumn, ResultRow, SumAmount);
    band.addLine(QStringLiteral("kolommenlijn"), QPointF(0, ColumnsLine), QPointF(RightColumn + ColumnWidth, ColumnsLine));
    slot(QStringLiteral("ti"), 0, TotalRow, SumAmount, bold);
    slot(QStringLiteral("tu"), RightColumn, TotalRow, SumAmount, bold);
    band.setText(QStringLiteral("n_ti"), Totaal);
    band.setText(QStringLiteral("n_tu"), Totaal);
}

void printbegroot::fill(const QString &slot, const QString &name, const QString &amount)
{
    Band &band = *m_report->band(BandKind::Detail);
    band.setText(QStringLiteral("n_") + slot, name);
    band.setText(QStringLiteral("b_") + slot, amount);
}

void printbegroot::vulbegroting(const Begroting &begroting)
{
    const Table &accounts = m_data->rekeningtabel;
    QStringList names;
    std::vector<double> balances;
    for (int row = 0; row < accounts.recordCount(); ++row) {
        names << accounts.valueAt(row, veld::rekeningen::Naam).toString();
        balances.push_back(accounts.valueAt(row, veld::rekeningen::Saldo).toDouble());
    }
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
