#include "papportstand.h"

#include "databases.h"
#include "report/reportframe.h"
#include "reportsettings.h"
#include "rtf/rtf.h"
#include "store/velden.h"
#include "tabledatasource.h"
#include "vindtekst.h"

#include <QFileInfo>
#include <cmath>

namespace zelk {

namespace {
const QString LetterElement = QStringLiteral("brief");

// `picture` at the largest size that fits `place` (mm) with its proportions kept: its
// resolution set so, as the report prints a picture at its natural size.
QImage fittedPicture(QImage picture, const QSizeF &place)
{
    if (picture.isNull())
        return picture;
    const QSizeF natural = naturalSizeMm(picture);
    const double scale = std::min(place.width() / natural.width(), place.height() / natural.height());
    picture.setDotsPerMeterX(int(std::ceil(picture.width() * 1000.0 / natural.width() / scale)));
    picture.setDotsPerMeterY(int(std::ceil(picture.height() * 1000.0 / natural.height() / scale)));
    return picture;
}
} // namespace

const std::vector<FilterCriterion> &mailingCriteria()
{
    using namespace veld::leden;
    static const std::vector<FilterCriterion> criteria = [] {
        std::vector<FilterCriterion> all;
        for (QStringView field : {Naam, Straat, Pcode, Plaats, Email, BankGiro, Lidbedrag, Soortlid, Opmerk1, Opmerk2, Opmerk3})
            all.push_back({field.toString(), field.toString(), FilterCriterion::Kind::Text});
        return all;
    }();
    return criteria;
}

papportstand::papportstand(DataModule1 &data, const QTextDocument &letter)
{
    build(data, letter, {}, false);
}

papportstand::papportstand(DataModule1 &data, const QTextDocument &letter, const QString &member)
{
    build(data, letter, member, true);
}

void papportstand::build(DataModule1 &data, const QTextDocument &letter, const QString &member, bool oneMember)
{
    m_report = std::make_shared<Report>(QStringLiteral("papportstand"));
    Report &report = *m_report;
    ReportFrame::applyLetter(report, frameSettingsOf(data));
    // After the frame has put the logo in its two places: each shown whole in its place.
    report.addBeforePrint([](Report &r) {
        for (ReportElement &e : r.band(BandKind::PageHeader)->elements)
            if (e.kind == ElementKind::Picture)
                e.picture = fittedPicture(e.picture, e.rect.size());
    });

    // Every member's letter starts on a page of its own, also after a long letter that
    // ran on to a second page; the letter starts 2.6 mm below the band's top and the band
    // stretches with it.
    Band &detail = report.addBand(BandKind::Detail, DetailHeight);
    detail.newPage = true;
    std::shared_ptr<const QTextDocument> unmerged(letter.clone());
    detail.addRichText(LetterElement, QRectF(0, LetterTop, LetterWidth, DetailHeight - LetterTop),
                       std::shared_ptr<QTextDocument>(letter.clone()));

    // Before each member's letter prints: a fresh copy of the letter, merged with that
    // member's data (the band prints a copy of it, so the next member starts afresh).
    detail.beforePrint = [unmerged](BandContext &context) {
        std::shared_ptr<QTextDocument> copy(unmerged->clone());
        if (const ReportDataSource *row = context.row)
            mergeMember(*copy, memberValues([row](QStringView field) { return row->value(field.toString()); }));
        context.band.element(LetterElement).document = std::move(copy);
        return true;
    };

    if (oneMember && member.isEmpty())
        return; // no member: the letter once, as it stands
    auto source = std::make_shared<TableDataSource>(data.ledentabel);
    if (!oneMember) {
        report.setData(source);
        return;
    }
    const int name = source->fieldIndex(veld::leden::Naam.toString());
    report.setData(source, [name, member](const ReportDataSource &row) { return row.value(name).toString() == member; });
}

QString papportstand::printCopyPath(const DataModule1 &data)
{
    return data.werkmapMetScheiding() + QStringLiteral("tempprint.hlp");
}

void papportstand::writePrintCopy(const DataModule1 &data, const QTextDocument &letter)
{
    rtf::writeFile(letter, printCopyPath(data));
}

std::shared_ptr<Report> papportstand::ofPrintCopy(DataModule1 &data)
{
    QTextDocument letter;
    if (QFileInfo::exists(printCopyPath(data)))
        rtf::readFile(printCopyPath(data), &letter);
    return papportstand(data, letter).report();
}

} // namespace zelk
