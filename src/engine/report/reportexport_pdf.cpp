// PDF export: the laid-out pages painted on a PDF writer, paper size and orientation of
// the report, no margins of its own (the layout already keeps them).
#include "reportexport.h"
#include "reportpainter.h"
#include "zelkerror.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace zelk {

void writePdf(ReportDocument &document, QIODevice &out)
{
    const int pages = document.pageCount();
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
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        paintReportPage(painter, document, document.page(i), pixelsPerMm);
    }
    if (!painter.end()) // writes the PDF's closing parts
        throw Error(QStringLiteral("Het PDF-bestand kan niet worden geschreven."));
}

} // namespace zelk
