// PDF export: the laid-out pages painted on a PDF writer, paper size and orientation of
// the report, no margins of its own (the layout already keeps them), one after the other.
#include "reportexport.h"
#include "reportpainter.h"
#include "reportsink.h"
#include "zelkerror.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace zelk {

void writePdf(ReportDocument &document, QIODevice &out)
{
    QPdfWriter writer(&out);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Zelk"));
    writer.setTitle(document.report().name);
    const bool landscape = document.pageSetup().orientation == Orientation::Landscape;
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Error(QStringLiteral("Het PDF-bestand kan niet worden geschreven."));
    const double pixelsPerMm = writer.resolution() / 25.4;
    // The writer puts each page out when the next one starts: a page is painted and gone.
    ReportPagePainter pagePainter(painter, document);
    document.forEachPage([&](const ReportPage &page) {
        if (page.number > 1)
            writer.newPage();
        pagePainter.paint(page, pixelsPerMm);
        stopWhenFailed(out);
    });
    if (!painter.end()) // writes the PDF's closing parts
        throw Error(QStringLiteral("Het PDF-bestand kan niet worden geschreven."));
}

} // namespace zelk
