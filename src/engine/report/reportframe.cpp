#include "reportframe.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace zelk {

namespace {
const QString LeftLogo = QStringLiteral("logolinks");
const QString RightLogo = QStringLiteral("logorechts");
const QString TitleLabel = QStringLiteral("titel");
const QString TitleName = QStringLiteral("titelvereniging");
const QString FooterLabel = QStringLiteral("voettekst");
const QString FooterName = QStringLiteral("voetvereniging");
const QString DateLabel = QStringLiteral("datumlabel");
constexpr double NameGap = 1.5;     // mm between a fixed text and the association name after it
constexpr double MinimumRoom = 0.1; // mm: the least room of a box (a width of 0 would mean "up to the margin")
constexpr double FooterGap = 2.0;   // mm between the footer's association name and "Datum :"

TextStyle sized(double points)
{
    TextStyle style;
    style.pointSize = points;
    return style;
}

// Puts the association name just after the fixed text it follows, in the room up to
// `end` (mm from the left margin); a longer name is cut there.
void placeNameAfter(Band &band, const QString &fixedLabel, const QString &nameLabel, const QString &name, double end)
{
    ReportElement &fixed = band.element(fixedLabel);
    ReportElement &label = band.element(nameLabel);
    // The fixed text's box reaches to the name: the two share no room.
    const double left = std::min(fixed.rect.left() + fixed.style.widthMm(fixed.text) + NameGap, end - MinimumRoom);
    fixed.rect.setWidth(left - fixed.rect.left());
    label.text = name;
    label.rect = QRectF(left, label.rect.top(), end - left, label.rect.height());
}
} // namespace

QImage readLogo(const QString &path, QString *error)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = QStringLiteral("Het logo \"%1\" is geen leesbare afbeelding (JPEG of BMP); "
                                "het overzicht wordt zonder logo afgedrukt.")
                     .arg(QFileInfo(path).fileName());
    return image;
}

std::shared_ptr<ReportFrame> ReportFrame::apply(Report &report, const titles::ReportTitle &title, const FrameSettings &settings)
{
    return apply(report, title, [settings] { return settings; });
}

std::shared_ptr<ReportFrame> ReportFrame::apply(Report &report, const titles::ReportTitle &title, FrameSettingsSource settings)
{
    std::shared_ptr<ReportFrame> frame(new ReportFrame(std::move(settings)));
    const double width = report.page.printableWidth();

    Band &header = report.addBand(BandKind::PageHeader, HeaderHeight);
    header.addPicture(LeftLogo, QRectF(0, 0, LogoWidth, LogoHeight), {});
    header.addPicture(RightLogo, QRectF(width - LogoWidth, 0, LogoWidth, LogoHeight), {});
    header.addLabel(TitleLabel, QRectF(0, TitleTop, 0, 5), title.title, sized(TitleSize));
    header.addLabel(TitleName, QRectF(0, TitleTop, 0, 5), {}, sized(TitleSize));
    header.beforePrint = [frame](BandContext &c) { return frame->PageHeaderBand1BeforePrint(c); };

    if (title.hasFooter) {
        const TextStyle style = sized(FooterSize);
        Band &footer = report.addBand(BandKind::PageFooter, FooterHeight);
        footer.addLabel(FooterLabel, QRectF(0, 0, 0, FooterHeight), title.footer, style);
        footer.addLabel(FooterName, QRectF(0, 0, 0, FooterHeight), {}, style);
        footer.addLabel(DateLabel, QRectF(width - 73, 0, 14, FooterHeight), titles::dateLabel, style);
        footer.addPrintDate(QStringLiteral("datum"), QRectF(width - 58, 0, 24, FooterHeight), style);
        footer.addLabel(QStringLiteral("bladlabel"), QRectF(width - 27, 0, 12, FooterHeight), titles::pageLabel, style);
        footer.addPageNumber(QStringLiteral("blad"), QRectF(width - 14, 0, 14, FooterHeight), style);
        footer.beforePrint = [frame](BandContext &c) { return frame->PageFooterBand1BeforePrint(c); };
    }
    report.addBeforePrint([frame](Report &r) { frame->QuickRepBeforePrint(r); });
    return frame;
}

std::shared_ptr<ReportFrame> ReportFrame::applyLetter(Report &report, FrameSettingsSource settings)
{
    std::shared_ptr<ReportFrame> frame(new ReportFrame(std::move(settings)));
    frame->m_letter = true;
    Band &header = report.addBand(BandKind::PageHeader, 42.0);
    header.addPicture(LeftLogo, QRectF(0, 0, 37.7, 44.6), {});
    header.addPicture(RightLogo, QRectF(116.7, 0, 37.7, 44.6), {});
    Band &footer = report.addBand(BandKind::PageFooter, 5.6);
    footer.addLabel(QStringLiteral("bladlabel"), QRectF(166.7, 0, 10, 5.6), titles::letterPageLabel);
    footer.addPageNumber(QStringLiteral("blad"), QRectF(177.3, 0, 12, 5.6));
    report.addBeforePrint([frame](Report &r) { frame->QuickRepBeforePrint(r); });
    return frame;
}

void ReportFrame::QuickRepBeforePrint(Report &report)
{
    m_settings = m_source ? m_source() : FrameSettings{};
    m_logoLoaded = false;
    Band *header = report.band(BandKind::PageHeader);
    if (!header)
        return;
    header->element(LeftLogo).visible = m_settings.printLogo && m_settings.logoLeft;
    header->element(RightLogo).visible = m_settings.printLogo && m_settings.logoRight;
    if (m_letter) { // the letter print loads its logo once, at the start
        loadLogo(report);
        putLogo(*header);
    }
}

bool ReportFrame::PageHeaderBand1BeforePrint(BandContext &context)
{
    placeNameAfter(context.band, TitleLabel, TitleName, m_settings.associationName, context.report.page.printableWidth());
    loadLogo(context.report);
    putLogo(context.band);
    return true;
}

bool ReportFrame::PageFooterBand1BeforePrint(BandContext &context)
{
    const double dateLabel = context.band.element(DateLabel).rect.left();
    placeNameAfter(context.band, FooterLabel, FooterName, m_settings.associationName, dateLabel - FooterGap);
    return true;
}

void ReportFrame::loadLogo(Report &report)
{
    // Decoded once per report run rather than at every page: the file does not change
    // while one report is laid out, and a long list has many pages.
    if (m_logoLoaded)
        return;
    m_logoLoaded = true;
    QString error;
    m_logo = readLogo(m_settings.logoPath, &error);
    if (!error.isEmpty())
        report.warn(error);
}

void ReportFrame::putLogo(Band &band)
{
    band.element(LeftLogo).picture = m_logo;
    band.element(RightLogo).picture = m_logo;
}

} // namespace zelk
