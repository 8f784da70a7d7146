#include "reportdocument.h"

#include "reportlayouter.h"
#include "zelkerror.h"

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
    for (int i = 0; i < int(pictures.size()); ++i)
        if (pictures[i].cacheKey() == picture.cacheKey())
            return i;
    pictures.push_back(picture);
    return int(pictures.size()) - 1;
}

ReportDocument::ReportDocument(std::shared_ptr<Report> report)
    : m_report(std::move(report)), m_layouter(std::make_unique<ReportLayouter>(*m_report, m_store))
{
}

ReportDocument::~ReportDocument() = default;

bool ReportDocument::isComplete() const
{
    return m_layouter->done();
}

bool ReportDocument::layoutMore(int pages)
{
    for (int i = 0; i < pages && m_layouter->layoutPage(); ++i) { }
    return !m_layouter->done();
}

bool ReportDocument::hasPage(int index)
{
    while (index >= pagesReady() && m_layouter->layoutPage()) { }
    return index >= 0 && index < pagesReady();
}

const ReportPage &ReportDocument::page(int index)
{
    if (!hasPage(index))
        throw Error(QStringLiteral("Het overzicht heeft geen blad %1.").arg(index + 1));
    return m_store.pages[index];
}

int ReportDocument::pageCount()
{
    while (m_layouter->layoutPage()) { }
    return pagesReady();
}

} // namespace zelk
