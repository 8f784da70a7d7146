#include "reportdocument.h"

#include "reportlayouter.h"
#include "zelkerror.h"

#include <QElapsedTimer>
#include <algorithm>

namespace zelk {

quint16 PageStore::styleIndex(const TextStyle &style)
{
    // Long lists repeat a handful of styles, mostly the one used just before.
    if (m_lastStyle < int(styles.size()) && styles[m_lastStyle] == style)
        return quint16(m_lastStyle);
    for (int i = 0; i < int(styles.size()); ++i)
        if (styles[i] == style)
            return quint16(m_lastStyle = i);
    styles.push_back(style);
    return quint16(m_lastStyle = int(styles.size()) - 1);
}

int PageStore::pictureIndex(const QImage &picture)
{
    const qint64 key = picture.cacheKey();
    if (const auto found = m_pictureKeys.constFind(key); found != m_pictureKeys.cend())
        return *found;
    // A report run again reads its logo again: a new image with the same pixels.
    for (int i = 0; i < int(pictures.size()); ++i)
        if (pictures[i] == picture) {
            m_pictureKeys.insert(key, i);
            return i;
        }
    pictures.push_back(picture);
    m_pictureKeys.insert(key, int(pictures.size()) - 1);
    return int(pictures.size()) - 1;
}

ReportDocument::ReportDocument(std::shared_ptr<Report> report) : m_report(std::move(report))
{
    restart();
}

ReportDocument::~ReportDocument() = default;

void ReportDocument::restart()
{
    m_layouter = std::make_unique<ReportLayouter>(*m_report, m_store, m_printDate);
    m_next = 0;
    m_broken = false;
}

bool ReportDocument::step(bool keep, ReportPage *streamed)
{
    if (m_broken)
        restart();
    if (m_layouter->done())
        return false;
    ReportPage page;
    try {
        if (!m_layouter->layoutPage(keep || streamed ? &page : nullptr))
            return false;
    } catch (...) {
        m_broken = true; // the report is run again from its start when a page is asked for
        throw;
    }
    ++m_next;
    m_known = std::max(m_known, m_next);
    if (m_layouter->done())
        m_count = m_next;
    if (streamed)
        *streamed = std::move(page);
    else if (keep)
        keepPage(std::move(page));
    return true;
}

void ReportDocument::keepPage(ReportPage page)
{
    const int index = page.number - 1;
    m_cache.insert_or_assign(index, std::move(page));
    const int position = m_next - 1;
    while (m_cache.size() > std::size_t(CachedPages)) {
        // Out goes the page furthest from both the page last asked for and where the
        // layout stands (so that the last pages are at hand when the layout reaches the end).
        auto furthest = m_cache.begin();
        int distance = -1;
        for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
            const int d = std::min(std::abs(it->first - m_focus), std::abs(it->first - position));
            if (d > distance) {
                distance = d;
                furthest = it;
            }
        }
        m_cache.erase(furthest);
    }
    releaseResources();
}

void ReportDocument::releaseResources()
{
    const std::size_t entries = m_store.richTexts.size() + m_store.charts.size();
    if (entries - m_released < m_releaseAt)
        return;
    std::vector<bool> richInUse(m_store.richTexts.size()), chartInUse(m_store.charts.size());
    for (const auto &[index, page] : m_cache)
        for (const PageItem &item : page.items) {
            if (item.kind == ItemKind::RichText)
                richInUse.at(item.resource) = true;
            else if (item.kind == ItemKind::Chart)
                chartInUse.at(item.resource) = true;
        }
    if (const int pending = m_layouter->pendingRichText(); pending >= 0)
        richInUse.at(pending) = true;
    m_released = 0;
    for (std::size_t i = 0; i < m_store.richTexts.size(); ++i) {
        if (!richInUse[i])
            m_store.richTexts[i] = RichTextResource{};
        m_released += m_store.richTexts[i].document ? 0 : 1;
    }
    for (std::size_t i = 0; i < m_store.charts.size(); ++i) {
        if (!chartInUse[i])
            m_store.charts[i] = BarChart{};
        m_released += chartInUse[i] ? 0 : 1;
    }
    m_releaseAt = std::max<std::size_t>(64, 2 * (entries - m_released));
}

void ReportDocument::aim(int target)
{
    if (target == m_focus && m_from)
        return;
    // Going back, most of the cache is filled with the pages before the one asked for, so
    // that paging further back costs nothing; going forward, only the one before it.
    const bool back = target < m_focus;
    m_focus = target;
    m_from = std::max(0, target - (back ? CachedPages * 3 / 4 : 1));
}

bool ReportDocument::stepTowards(int target)
{
    if (isReady(target))
        return false;
    if (m_broken || m_next > target)
        restart(); // the page has left the cache: run the report again up to it
    step(m_next >= *m_from && !m_cache.contains(m_next));
    return true;
}

bool ReportDocument::isReady(int index) const
{
    return index < 0 || m_cache.contains(index) || (m_count && index >= *m_count);
}

bool ReportDocument::prepare(int index, std::chrono::milliseconds budget)
{
    aim(index);
    QElapsedTimer timer;
    timer.start();
    while (stepTowards(index))
        if (timer.elapsed() >= budget.count())
            return isReady(index);
    return true;
}

bool ReportDocument::layoutMore(int pages)
{
    for (int i = 0; i < pages && !m_count; ++i)
        step(!m_cache.contains(m_next));
    return !m_count;
}

bool ReportDocument::hasPage(int index)
{
    if (index < 0)
        return false;
    if (index >= m_known && !m_count) {
        aim(index);
        while (index >= m_known && !m_count)
            stepTowards(index);
    }
    return index < m_known;
}

const ReportPage &ReportDocument::page(int index)
{
    aim(index);
    while (stepTowards(index)) { }
    const auto found = m_cache.find(index);
    if (found == m_cache.end())
        throw Error(QStringLiteral("Het overzicht heeft geen blad %1.").arg(index + 1));
    return found->second;
}

int ReportDocument::pageCount()
{
    while (!m_count)
        step(!m_cache.contains(m_next));
    return *m_count;
}

void ReportDocument::forEachPage(const std::function<void(const ReportPage &)> &use)
{
    if (m_next != 0 || m_broken)
        restart();
    ReportPage page;
    while (step(false, &page)) {
        use(page);
        page = ReportPage{};
        releaseResources();
        if (m_progress)
            m_progress(m_next);
    }
}

} // namespace zelk
