#pragma once
// Rich text on report pages. A document is copied when its band prints (hooks may change
// the original for the next row), laid out at a fixed resolution so that its height in
// millimetres is the same on screen, on paper and in exports, and cut between lines when
// it runs over the page.
#include <QString>
#include <QTextDocument>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

namespace zelk {

// Layout resolution of report documents: units per millimetre.
double richTextUnitsPerMm();

// The device report texts are measured with (its resolution is that of richTextUnitsPerMm);
// the painter draws texts at this resolution too, so they are as wide on every device.
QPaintDevice *measuringDevice();

// A copy of `source` laid out for a column `widthMm` wide.
std::shared_ptr<QTextDocument> layoutCopy(const QTextDocument &source, double widthMm);

double documentHeightMm(const QTextDocument &document);

// One laid-out line: its top and height in mm from the top of the document, its left
// edge in mm from the left of the column, and its text.
struct RichTextLine {
    double top = 0;
    double height = 0;
    double left = 0;
    QString text;
};
std::vector<RichTextLine> documentLines(const QTextDocument &document);

// The largest line bottom in (from, from + room]; from + room when no line ends there.
double cutBetweenLines(const std::vector<RichTextLine> &lines, double from, double room);

// Paints the part [offsetMm, offsetMm + heightMm) of the document with its top-left at
// `topLeft` (painter units, `unitsPerMm` of them per millimetre).
void paintDocumentSlice(QPainter &painter, const QTextDocument &document, const QPointF &topLeft, double offsetMm, double heightMm,
                        double widthMm, double unitsPerMm);

} // namespace zelk
