#include "printledenall.h"

#include "databases.h"
#include "ledenkolommen.h"
#include "report/listreport.h"
#include "report/reportframe.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

namespace zelk {

printledenall::printledenall(DataModule1 &data)
{
    m_report = std::make_shared<Report>(titles::printledenall.unit, PageSetup::a4());
    ReportFrame::apply(*m_report, titles::printledenall, frameSettingsOf(data));
    Band &card = m_report->addBand(BandKind::Detail, 28.3);
    card.addLine(QStringLiteral("stippellijn"), QPointF(0, 0.3), QPointF(m_report->page.printableWidth(), 0.3), LineStyle::Dotted);
    struct Row {
        const char *leftLabel;
        QStringView leftField;
        const char *rightLabel;
        QStringView rightField;
    };
    const Row rows[] = {{"Naam:", veld::leden::Naam, "Contributie:", veld::leden::Lidbedrag},
                        {"Straat:", veld::leden::Straat, "Bank-giro:", veld::leden::BankGiro},
                        {"Pcode:", veld::leden::Pcode, "Soort Lid:", veld::leden::Soortlid},
                        {"Plaats:", veld::leden::Plaats, "Opmerking 1:", veld::leden::Opmerk1},
                        {"Geb.datum:", veld::leden::GebDatum, "Opmerking 2:", veld::leden::Opmerk2},
                        {"E-mail adres:", veld::leden::Email, "Opmerking 3:", veld::leden::Opmerk3}};
    const double tops[] = {2.1, 6.3, 10.6, 14.8, 19.1, 23.3};
    // Four columns: each label and value has the room up to the next one's start (less
    // ColumnGap), the last value up to the right margin; a longer value is cut there.
    const double columns[] = {2.1, 24.3, 91.0, 113.2, m_report->page.printableWidth() + ColumnGap};
    auto box = [&](int column, double top) { return QRectF(columns[column], top, columns[column + 1] - ColumnGap - columns[column], 4.2); };
    const TextStyle style = textOfSize(9);
    for (int i = 0; i < 6; ++i) {
        const Row &r = rows[i];
        const double top = tops[i];
        const QString left = r.leftField.toString(), right = r.rightField.toString();
        card.addLabel(QStringLiteral("label_") + left, box(0, top), QString::fromLatin1(r.leftLabel), style);
        card.addField(left, box(1, top), left, r.leftField == veld::leden::GebDatum ? ValueFormat::ShortDate : ValueFormat::Text, style);
        card.addLabel(QStringLiteral("label_") + right, box(2, top), QString::fromLatin1(r.rightLabel), style);
        card.addField(right, box(3, top), right, ValueFormat::Text, style);
    }
    m_report->setData(std::make_shared<TableDataSource>(data.ledentabel));
}

} // namespace zelk
