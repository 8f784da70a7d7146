#pragma once
// Lays a report out page by page into a PageStore: page header and column header at the
// top of every page, the page footer at its bottom, and in between the detail bands (once
// or per data row) and the summary. A band that does not fit moves to the next page; a
// band with rich text that runs over the page continues on the next one, cut between lines.
// Every text stays in its box and inside the margins: one too wide for its box is cut with
// "…" on the page, while the whole text stays with it for the exports that write values.
#include "reportdocument.h"
#include "richtext.h"

#include <QFontMetricsF>
#include <optional>
#include <vector>

namespace zelk {

class ReportLayouter {
public:
    ReportLayouter(Report &report, PageStore &store);

    // Lays out one more page; false when the report is finished and no page was added.
    bool layoutPage();
    bool done() const { return m_phase == Phase::Done; }

private:
    enum class Phase { NotStarted, Details, Summary, Closing, Done };

    // A band after its hooks ran: items relative to the band's top, and the part of a
    // stretching rich text still to be placed.
    struct Instance {
        BandKind kind = BandKind::Detail;
        double height = 0;
        std::vector<PageItem> items;
        int richText = -1;
        double richTop = 0, richLeft = 0, richWidth = 0, richHeight = 0;
        double richDone = 0;
        bool started = false;
        bool newPage = false;
        std::vector<RichTextLine> lines;
    };

    void start();
    std::optional<Instance> nextBodyBand();
    std::optional<Instance> printBand(Band &band, const ReportDataSource *row, int rowNumber);
    Instance resolve(Band &band);
    void addText(Instance &out, const ReportElement &e, BandKind kind, const QString &text, bool pageNumber = false);
    // Cuts a text that is wider than its box at the box's right edge, with "…".
    void fit(PageItem &item);
    QString fieldText(ReportElement &e);

    // Places a band at the current position; false when the page is full (the band, or
    // the rest of its rich text, waits for the next page).
    bool place(Instance &band);
    void append(const Instance &band, double top);
    void appendSlice(Instance &band, double top, double length);
    void placeFixed(BandKind kind, double top);

    Report &m_report;
    PageStore &m_store;
    Phase m_phase = Phase::NotStarted;
    std::optional<Instance> m_pending;
    ReportPage *m_page = nullptr;
    ReportPage m_building;
    double m_y = 0, m_bodyTop = 0, m_bottom = 0;
    bool m_detailOnceDone = false;
    int m_rowNumber = 0;
    std::vector<std::optional<QFontMetricsF>> m_metrics; // by style index
};

} // namespace zelk
