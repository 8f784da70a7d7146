#include "ledenselectie.h"

#include "command.h"
#include "reports/papportstand.h"
#include "store/table.h"

namespace zelk::cli {

QString ledenfilterVelden()
{
    QStringList names;
    for (const FilterCriterion &c : mailingCriteria())
        names << c.label;
    return names.join(QStringLiteral(", "));
}

FilterCriteria takeLedenfilter(QStringList &args)
{
    FilterCriteria criteria(mailingCriteria(), AmountFormat());
    while (args.contains(QStringLiteral("--filter"))) {
        const QString filter = takeOption(args, QStringLiteral("--filter"));
        const qsizetype split = filter.indexOf(u'=');
        if (split <= 0)
            throw UsageError("--filter moet de vorm VELD=TEKST hebben, niet \"" + filter.toStdString() + "\"");
        const int index = criteria.indexOf(filter.left(split));
        if (index < 0)
            throw UsageError(
                QStringLiteral("--filter kent geen veld \"%1\"; kies uit %2").arg(filter.left(split), ledenfilterVelden()).toStdString());
        criteria.setText(index, filter.mid(split + 1));
    }
    return criteria;
}

void applyLedenfilter(Table &leden, const FilterCriteria &criteria)
{
    if (criteria.isBlank())
        return;
    leden.setCondition(criteria.condition(leden.schema()));
    leden.setFiltered(true);
}

} // namespace zelk::cli
