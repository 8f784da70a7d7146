#pragma once
// Paints laid-out pages on any QPainter: the preview, a printer, a PDF writer or an image.
#include "reportdocument.h"

#include <QImage>
#include <QPainter>
#include <memory>

namespace zelk {

// Paints `page` with the paper's top-left corner at the painter's origin, at
// `pixelsPerMm` device pixels per millimetre (fonts follow the same scale).
void paintReportPage(QPainter &painter, const ReportDocument &document, const ReportPage &page, double pixelsPerMm);

// Paints page after page on one painter (a PDF writer, a printer) as paintReportPage does,
// measuring each font and text only once for all pages.
class ReportPagePainter {
public:
    ReportPagePainter(QPainter &painter, const ReportDocument &document);
    ~ReportPagePainter();
    void paint(const ReportPage &page, double pixelsPerMm);

    struct Measures;

private:
    QPainter &m_painter;
    const ReportDocument &m_document;
    std::unique_ptr<Measures> m_measures;
};

// The page on white paper as an image, `pixelsPerMm` pixels per millimetre.
QImage renderReportPage(const ReportDocument &document, const ReportPage &page, double pixelsPerMm);

} // namespace zelk
