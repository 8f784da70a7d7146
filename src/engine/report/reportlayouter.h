#pragma once
// Lays a report out page by page: page header and column header at the top of every page,
// the page footer at its bottom, and in between the detail bands (once or per data row) and
// the summary. Each page is handed out as it is finished and kept by no one here; the
// resources its items refer to (styles, pictures, rich texts, charts) go into a PageStore.
// A page may also be passed over: the hooks and totals run as for a page that is kept, but
// no item is placed, which is how a document finds its way back to an earlier page. A band that does not fit moves to the next page; a
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
    // Every pass of one document prints the same date: `printDate` is taken at the first
    // pass (when it is not valid yet) and kept for the later ones.
    ReportLayouter(Report &report, PageStore &store, QDate &printDate);

    // Lays out the next page into `page`, or passes over it when `page` is null; false when
    // the report is finished and there was no page left.
    bool layoutPage(ReportPage *page);
    bool done() const { return m_phase == Phase::Done; }
    // The rich text still waiting to be placed on the next page (-1: none): its store
    // entry must stay.
    int pendingRichText() const { return m_pending ? m_pending->richText : -1; }

private:
    enum class Phase { NotStarted, Details, Summary, Closing, Done };

    // A band after its hooks ran: items relative to the band's top (texts not yet cut to
    // their boxes, charts still its own), and the part of a stretching rich text still to
    // be placed. Its resources go into the store only when it lands on a kept page.
    struct Instance {
        BandKind kind = BandKind::Detail;
        double height = 0;
        std::vector<PageItem> items;
        std::vector<BarChart> charts; // Chart items refer to these until placed
        bool rich = false;
        RichTextResource richResource;
        int richText = -1; // the store entry, once a part of the text is placed on a kept page
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
    void append(Instance &band, double top);
    void appendSlice(Instance &band, double top, double length);
    void placeFixed(BandKind kind, double top);

    Report &m_report;
    PageStore &m_store;
    QDate &m_printDate;
    Phase m_phase = Phase::NotStarted;
    std::optional<Instance> m_pending;
    ReportPage m_building;
    bool m_keep = true; // the page being laid out is kept: its items are placed
    int m_pageNumber = 0;
    double m_y = 0, m_bodyTop = 0, m_bottom = 0;
    bool m_detailOnceDone = false;
    int m_rowNumber = 0;
    std::vector<std::optional<QFontMetricsF>> m_metrics; // by style index
    std::vector<QHash<QString, qreal>> m_widths;         // by style index: text -> width
};

} // namespace zelk
