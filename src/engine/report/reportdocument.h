#pragma once
// A report laid out into pages. Pages are laid out on demand, in order, the first one as
// soon as it is asked for, so that a preview of a long list opens at once; exports ask for
// all pages. The same pages are painted on screen, on paper and into PDF, and written as
// text, CSV and HTML.
#include "barchart.h"
#include "report.h"
#include "reportpage.h"

#include <QImage>
#include <QTextDocument>
#include <memory>
#include <vector>

namespace zelk {

class ReportLayouter;

struct RichTextResource {
    std::shared_ptr<QTextDocument> document; // a laid-out copy (see richtext.h)
    double widthMm = 0;
};

// Everything laid out so far: pages and the resources their items refer to.
struct PageStore {
    std::vector<ReportPage> pages;
    std::vector<TextStyle> styles;
    std::vector<QImage> pictures;
    std::vector<RichTextResource> richTexts;
    std::vector<BarChart> charts;

    quint16 styleIndex(const TextStyle &style);
    int pictureIndex(const QImage &picture);

private:
    int m_lastStyle = 0;
};

class ReportDocument {
public:
    explicit ReportDocument(std::shared_ptr<Report> report);
    ~ReportDocument();
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    Report &report() const { return *m_report; }
    const PageSetup &pageSetup() const { return m_report->page; }

    // Lays out pages up to `index` (0-based) when needed; false when the report has fewer
    // pages. Errors of hooks and data (zelk::Error) come out of these calls.
    bool hasPage(int index);
    // The page at `index`; throws zelk::Error when the report has no such page.
    const ReportPage &page(int index);
    int pageCount(); // lays out the whole report
    int pagesReady() const { return int(m_store.pages.size()); }
    bool isComplete() const;
    // Lays out up to `pages` more pages; returns whether pages remain to be laid out.
    bool layoutMore(int pages);

    const PageStore &store() const { return m_store; }

private:
    std::shared_ptr<Report> m_report;
    PageStore m_store;
    std::unique_ptr<ReportLayouter> m_layouter;
};

} // namespace zelk
