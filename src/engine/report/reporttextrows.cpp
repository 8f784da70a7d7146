#include "reporttextrows.h"

#include "amountformat.h"
#include "richtext.h"

#include <algorithm>

namespace zelk {

namespace {
constexpr double RowTolerance = 1.5; // mm: texts whose tops are this close share a row
constexpr double ChartLine = 4.0;    // mm between the lines a chart is written as

struct Entry {
    double top;
    BandKind band;
    TextCell cell;
};

TextCell::Align alignOf(const TextStyle &style)
{
    if (style.align & Qt::AlignRight)
        return TextCell::Align::Right;
    if (style.align & Qt::AlignHCenter)
        return TextCell::Align::Centre;
    return TextCell::Align::Left;
}

void addRichText(std::vector<Entry> &entries, const PageStore &store, const PageItem &item)
{
    const RichTextResource &resource = store.richTexts.at(item.resource);
    for (const RichTextLine &line : documentLines(*resource.document)) {
        if (line.top < item.offset - 0.01 || line.top >= item.offset + item.h - 0.01 || line.text.isEmpty())
            continue;
        const double left = item.x + line.left;
        entries.push_back({item.y + line.top - item.offset, item.band,
                           TextCell{left, item.x + item.w, TextCell::Align::Left, false, line.text, line.text}});
    }
}

// A chart is written as its title followed by a line per bar: name and value.
void addChart(std::vector<Entry> &entries, const PageStore &store, const PageItem &item)
{
    const BarChart &chart = store.charts.at(item.resource);
    entries.push_back(
        {double(item.y), item.band, TextCell{item.x, item.x + item.w, TextCell::Align::Left, false, chart.title, chart.title}});
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const double top = item.y + (i + 1) * ChartLine;
        entries.push_back(
            {top, item.band, TextCell{item.x, item.x + 60, TextCell::Align::Left, false, chart.bars[i].label, chart.bars[i].label}});
        const QString value = AmountFormat::current().display(chart.bars[i].value);
        entries.push_back({top, item.band, TextCell{item.x + 60, item.x + 90, TextCell::Align::Right, false, value, value}});
    }
}
} // namespace

bool TextRow::onlyRules() const
{
    return std::all_of(cells.begin(), cells.end(), [](const TextCell &c) { return c.rule; });
}

std::vector<TextRow> pageTextRows(const ReportDocument &document, const ReportPage &page)
{
    const PageStore &store = document.store();
    std::vector<Entry> entries;
    entries.reserve(page.items.size());
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case ItemKind::Text:
            entries.push_back(
                {double(item.y), item.band,
                 TextCell{item.x, item.x + item.w, alignOf(store.styles.at(item.style)), false, item.text, item.shownText()}});
            break;
        case ItemKind::Line:
            if (item.h == 0 && item.w > 5)
                entries.push_back({double(item.y), item.band, TextCell{item.x, item.x + item.w, TextCell::Align::Left, true, {}}});
            break;
        case ItemKind::RichText:
            addRichText(entries, store, item);
            break;
        case ItemKind::Chart:
            addChart(entries, store, item);
            break;
        case ItemKind::Box:
        case ItemKind::Picture:
            break;
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.top < b.top; });

    std::vector<TextRow> rows;
    for (Entry &entry : entries) {
        if (rows.empty() || entry.top - rows.back().top > RowTolerance)
            rows.push_back(TextRow{entry.top, entry.band, {}});
        rows.back().cells.push_back(std::move(entry.cell));
    }
    for (TextRow &row : rows)
        std::stable_sort(row.cells.begin(), row.cells.end(), [](const TextCell &a, const TextCell &b) { return a.left < b.left; });
    return rows;
}

} // namespace zelk
