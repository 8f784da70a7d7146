#include "overzichtmutrekeningen.h"

#include "databases.h"
#include "rekeningmutaties.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

#include <algorithm>

namespace zelk {

namespace {
constexpr double LineHeight = 6.0; // mm, each of the two heading lines
const QString NameLabel = QStringLiteral("rekeningnaamlabel");
const QString Name = QStringLiteral("rekeningnaam");
const QString BalanceLabel = QStringLiteral("saldolabel");
const QString Balance = QStringLiteral("saldo");
constexpr double BalanceAt = 120.0;
constexpr double Gap = 1.5; // mm between a label and the text after it

// The account line above the column headings, and the headings one line lower.
void addAccountLine(Band &heading, double fontSize)
{
    for (ReportElement &e : heading.elements)
        if (e.kind == ElementKind::Label) {
            e.rect.moveTop(e.rect.top() + LineHeight);
            e.rect.setHeight(LineHeight);
        } else {
            e.rect.setHeight(e.rect.height() + LineHeight);
        }
    heading.height += LineHeight;
    TextStyle style;
    style.pointSize = fontSize;
    style.bold = true;
    style.color = Qt::white;
    // Each text has its own box, so a long account name stops before the balance.
    const double nameLabelWidth = style.widthMm(QStringLiteral("Rekening naam :"));
    const double nameAt = 1.5 + nameLabelWidth + Gap;
    heading.addLabel(NameLabel, QRectF(1.5, 0.5, nameLabelWidth, LineHeight), QStringLiteral("Rekening naam :"), style);
    heading.addLabel(Name, QRectF(nameAt, 0.5, BalanceAt - Gap - nameAt, LineHeight), {}, style);
    const double balanceLabelWidth = style.widthMm(QStringLiteral("Saldo :"));
    heading.addLabel(BalanceLabel, QRectF(BalanceAt, 0.5, balanceLabelWidth, LineHeight), QStringLiteral("Saldo :"), style);
    heading.addLabel(Balance, QRectF(BalanceAt + balanceLabelWidth + Gap, 0.5, 0, LineHeight), {}, style);
    // The account line reads first, after the band's box (painted below every text).
    auto texts = std::find_if(heading.elements.begin(), heading.elements.end(),
                              [](const ReportElement &e) { return e.kind == ElementKind::Label; });
    std::rotate(texts, heading.elements.end() - 4, heading.elements.end());
}
} // namespace

overzichtmutrekeningen::overzichtmutrekeningen(DataModule1 &data)
{
    using namespace veld::journaal;
    ListReportLayout list;
    list.title = titles::overzichtmutrekeningen;
    list.columns = {{QStringLiteral("Boekstuk"), JrNr.toString(), 0, 16, ValueFormat::Integer, true},
                    {QStringLiteral("Datum . . . ."), Datum.toString(), 20, 22, ValueFormat::ShortDate},
                    {QStringLiteral("Omschrijving"), Omschrijving.toString(), 44, 100},
                    {QStringLiteral("Bedrag"), Bedrag.toString(), 150, 40, ValueFormat::Number, true}};
    list.totalField = Bedrag.toString();
    list.totalLabel = QStringLiteral("Totaaltelling van de getoonde posten");
    m_report = makeListReport(list, std::make_shared<TableDataSource>(data.hulpT), frameSettingsOf(data));
    addAccountLine(*m_report->band(BandKind::ColumnHeader), list.fontSize);
    // At report start the texts of the last build are copied in, as the screen shows them.
    m_report->addBeforePrint([&data](Report &report) {
        const rekeningmutaties::Opbouw last = rekeningmutaties::laatste(data);
        Band &heading = *report.band(BandKind::ColumnHeader);
        heading.setText(Name, last.naam);
        heading.setText(Balance, last.saldo);
    });
}

} // namespace zelk
