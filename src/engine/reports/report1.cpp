#include "report1.h"

#include "amountformat.h"
#include "cents.h"
#include "databases.h"
#include "rekeningschema.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <algorithm>

namespace zelk {

namespace {
// The band under the frame's header holds the two charts, one above the other.
constexpr double ChartHeight = 110.0;
constexpr double ChartGap = 4.0;
constexpr double ChartWidth = 190.0;

std::vector<int> inAccountOrder(std::vector<int> positions)
{
    std::ranges::sort(positions);
    return positions;
}
} // namespace

const std::vector<int> &report1::inkomstenLijst()
{
    static const std::vector<int> list = inAccountOrder(rekeningschema::inkomsten());
    return list;
}

const std::vector<int> &report1::uitgavenLijst()
{
    static const std::vector<int> list = inAccountOrder(rekeningschema::kosten());
    return list;
}

report1::report1(DataModule1 &data) : report1(frameSettingsOf(data))
{
    m_data = &data;
}

report1::report1(FrameSettingsSource settings) : m_report(std::make_shared<Report>(titles::report1.unit))
{
    ReportFrame::apply(*m_report, titles::report1, std::move(settings));
    m_inkomsten->title = QStringLiteral("INKOMSTEN");
    m_inkomsten->barColor = inkomstenKleur;
    m_uitgaven->title = QStringLiteral("UITGAVEN");
    m_uitgaven->barColor = uitgavenKleur;
    Band &band = m_report->addBand(BandKind::Detail, 2 * ChartHeight + ChartGap);
    band.addChart(QStringLiteral("inkomsten"), QRectF(0, 0, ChartWidth, ChartHeight), m_inkomsten);
    band.addChart(QStringLiteral("uitgaven"), QRectF(0, ChartHeight + ChartGap, ChartWidth, ChartHeight), m_uitgaven);
}

void report1::vulgrafiek()
{
    const Table &accounts = m_data->rekeningtabel;
    QStringList names;
    std::vector<double> balances;
    for (int row = 0; row < accounts.recordCount(); ++row) {
        names << accounts.valueAt(row, veld::rekeningen::Naam).toString();
        balances.push_back(accounts.valueAt(row, veld::rekeningen::Saldo).toDouble());
    }
    vulgrafiek(names, balances);
}

void report1::vulgrafiek(const QStringList &namen, const std::vector<double> &saldi)
{
    using rekeningschema::aantal;
    if (namen.size() != aantal || saldi.size() != std::size_t(aantal))
        throw Error(QStringLiteral("Het rekeningschema heeft %1 rekeningen in plaats van %2.").arg(saldi.size()).arg(aantal));
    const AmountFormat &format = AmountFormat::current();
    std::vector<QStringList> &records = m_report->csvRecords;
    records = {{QStringLiteral("Grafiek"), QStringLiteral("Positie"), QStringLiteral("Rekening"), QStringLiteral("Bedrag"),
                QStringLiteral("Aandeel")}};

    auto fillChart = [&](BarChart &chart, const std::vector<int> &positions, double sign) {
        chart.clear();
        std::vector<std::pair<int, double>> entries;
        for (int p : positions) {
            const QString label = namen[p - 1].left(naamLengte);
            const double value = cents::rounded(sign * cents::checked(saldi[std::size_t(p - 1)]));
            entries.emplace_back(p, value);
            if (value != 0)
                chart.add(label, value);
        }
        // Every account of the list, the ones without a bar too, with its share of the chart.
        std::size_t bar = 0;
        for (const auto &[p, value] : entries) {
            const double share = value != 0 ? chart.sharePercent(bar++) : 0.0;
            records.push_back({chart.title, QString::number(p), namen[p - 1].left(naamLengte), format.plain(value), percentText(share)});
        }
    };
    fillChart(*m_inkomsten, inkomstenLijst(), -1.0);
    fillChart(*m_uitgaven, uitgavenLijst(), 1.0);
}

} // namespace zelk
