#pragma once
// A report laid out into pages, one page at a time. A page is laid out when it is asked
// for, so that a preview of a long list opens at once; no document keeps all its pages:
// a few pages near the one last asked for, and near where the layout stands, are kept in
// a cache, and a page that has left it is laid out again (the report is run again from
// its start, passing over the pages before it without placing their items). Exports
// stream: forEachPage lays out, hands over and drops one page after the other. The same
// pages are painted on screen, on paper and into PDF, and written as text, CSV and HTML.
#include "barchart.h"
#include "report.h"
#include "reportpage.h"

#include <QDate>
#include <QHash>
#include <QImage>
#include <QTextDocument>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace zelk {

class ReportLayouter;

struct RichTextResource {
    std::shared_ptr<QTextDocument> document; // a laid-out copy (see richtext.h)
    double widthMm = 0;
};

// What the items of laid-out pages refer to by index. Styles and pictures are few and
// stay; a rich text or chart belongs to the pages it is on, and its entry is emptied once
// none of the pages still kept shows it.
struct PageStore {
    std::vector<TextStyle> styles;
    std::vector<QImage> pictures;
    std::vector<RichTextResource> richTexts;
    std::vector<BarChart> charts;

    quint16 styleIndex(const TextStyle &style);
    int pictureIndex(const QImage &picture);

private:
    int m_lastStyle = 0;
    QHash<qint64, int> m_pictureKeys; // QImage::cacheKey() -> index; an equal image read again shares its entry
};

class ReportDocument {
public:
    explicit ReportDocument(std::shared_ptr<Report> report);
    ~ReportDocument();
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    Report &report() const { return *m_report; }
    const PageSetup &pageSetup() const { return m_report->page; }

    // Lays out pages up to `index` (0-based) when they are not known yet; false when the
    // report has fewer pages. Errors of hooks and data (zelk::Error) come out of these calls.
    bool hasPage(int index);
    // The page at `index`, from the cache or laid out (again); throws zelk::Error when the
    // report has no such page. The reference stays valid until a later call lays out pages.
    const ReportPage &page(int index);
    // The number of pages; when it is not known yet, the rest of the report is laid out.
    int pageCount();
    // How many pages are known to exist: the furthest the layout has come.
    int pagesReady() const { return m_known; }
    // The page count is known.
    bool isComplete() const { return m_count.has_value(); }
    // Lays out up to `pages` more pages on the way to the end; returns whether the page
    // count is still unknown. What a preview does in the background.
    bool layoutMore(int pages);
    // page(index) would lay out nothing: the page is in the cache, or known not to exist.
    bool isReady(int index) const;
    // How many pages the cache holds now (at most CachedPages).
    int pagesKept() const { return int(m_cache.size()); }
    // Works at most about `budget` towards page(index) laying out nothing (see isReady),
    // then returns whether it does. Lets a window stay responsive on a long way to a page.
    bool prepare(int index, std::chrono::milliseconds budget);

    // Lays out the whole report from its first page and hands every page to `use`, which
    // keeps nothing of it; pages are dropped as soon as `use` returns. Afterwards the page
    // count is known. What the exports use: their memory does not grow with the report.
    void forEachPage(const std::function<void(const ReportPage &)> &use);
    // Called by forEachPage after every page with the number of pages done so far (to show
    // how far a long export is); it may throw zelk::Error to stop the export.
    void setProgress(std::function<void(int pages)> progress) { m_progress = std::move(progress); }

    const PageStore &store() const { return m_store; }

    static constexpr int CachedPages = 40;

private:
    void restart();
    // Lays out (kept) or passes over the next page; false at the end of the report.
    bool step(bool keep, ReportPage *streamed = nullptr);
    void keepPage(ReportPage page);
    // One step on the way to page(target); false when nothing is left to do.
    bool stepTowards(int target);
    // Sets the page the layout works towards, and so which pages on the way are kept.
    void aim(int target);
    // Empties the store's rich texts and charts that no kept page shows any more.
    void releaseResources();

    std::shared_ptr<Report> m_report;
    PageStore m_store;
    std::unique_ptr<ReportLayouter> m_layouter;
    QDate m_printDate; // the date every pass prints (taken at the first)
    int m_next = 0;    // the page the layouter lays out next
    int m_known = 0;   // pages known to exist
    std::optional<int> m_count;
    bool m_broken = false;     // an error stopped the layouter halfway: start again
    int m_focus = 0;           // the page last asked for
    std::optional<int> m_from; // on the way to it, pages from here on are kept
    std::map<int, ReportPage> m_cache;
    std::function<void(int)> m_progress;
    std::size_t m_released = 0, m_releaseAt = 64; // emptied store entries; entries before a release is tried
};

} // namespace zelk
