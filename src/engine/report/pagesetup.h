#pragma once
// Paper and margins of a report, in millimetres. Every report is laid out in millimetres
// from the top-left corner of the paper; the margins bound where bands may go.
#include <QSizeF>

namespace zelk {

enum class Orientation { Portrait, Landscape };

struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    double margin = 10.0; // the same on all four sides

    static PageSetup a4(Orientation orientation = Orientation::Portrait) { return {orientation, 10.0}; }

    // A4 is 210 x 297 mm; landscape swaps the sides.
    QSizeF paperSize() const { return orientation == Orientation::Portrait ? QSizeF(210.0, 297.0) : QSizeF(297.0, 210.0); }
    double printableWidth() const { return paperSize().width() - 2 * margin; }
    double printableHeight() const { return paperSize().height() - 2 * margin; }
};

} // namespace zelk
