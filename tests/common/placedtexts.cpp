#include "placedtexts.h"

#include "report/reportdocument.h"

#include <QtGlobal>
#include <algorithm>

namespace zelk::test {

std::vector<Placed> detailTexts(std::shared_ptr<Report> report)
{
    ReportDocument document(std::move(report));
    if (document.pageCount() != 1)
        qFatal("the report must be one page");
    std::vector<Placed> out;
    for (const PageItem &item : document.page(0).items)
        if (item.kind == ItemKind::Text && item.band == BandKind::Detail && !item.text.isEmpty())
            out.push_back({item.text, item.x, item.y});
    return out;
}

QString amountBeside(const std::vector<Placed> &texts, const QString &label, bool rightColumn)
{
    for (const Placed &l : texts)
        if (l.text == label && (l.x > 100) == rightColumn)
            for (const Placed &a : texts)
                if (&a != &l && a.y == l.y && (a.x > 100) == rightColumn && a.x > l.x)
                    return a.text;
    return QStringLiteral("<niet gevonden>");
}

int count(const std::vector<Placed> &texts, const QString &text)
{
    return int(std::count_if(texts.begin(), texts.end(), [&](const Placed &p) { return p.text == text; }));
}

} // namespace zelk::test
