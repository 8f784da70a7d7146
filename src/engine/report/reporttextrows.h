#pragma once
// The texts of a laid-out page gathered into rows, top to bottom, each row's cells left to
// right: what the plain-text and CSV exports write (the text what the page shows, CSV the
// whole values).
#include "reportdocument.h"

namespace zelk {

struct TextCell {
    enum class Align : quint8 { Left, Right, Centre };
    double left = 0, right = 0; // mm from the paper's left edge
    Align align = Align::Left;
    bool rule = false; // a horizontal line, written as dashes in plain text
    QString text;      // the whole value
    QString shown;     // what the page shows: the value, or its cut form when too wide for its box
};

struct TextRow {
    double top = 0; // mm
    BandKind band = BandKind::Detail;
    std::vector<TextCell> cells;
    bool onlyRules() const;
};

std::vector<TextRow> pageTextRows(const ReportDocument &document, const ReportPage &page);

} // namespace zelk
