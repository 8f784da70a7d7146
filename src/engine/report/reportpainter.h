#pragma once
// Paints laid-out pages on any QPainter: the preview, a printer, a PDF writer or an image.
#include "reportdocument.h"

#include <QImage>
#include <QPainter>

namespace zelk {

// Paints `page` with the paper's top-left corner at the painter's origin, at
// `pixelsPerMm` device pixels per millimetre (fonts follow the same scale).
void paintReportPage(QPainter &painter, const ReportDocument &document, const ReportPage &page, double pixelsPerMm);

// The page on white paper as an image, `pixelsPerMm` pixels per millimetre.
QImage renderReportPage(const ReportDocument &document, const ReportPage &page, double pixelsPerMm);

} // namespace zelk
