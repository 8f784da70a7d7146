#include "reportunit.h"

#include "reports/reportcatalogus.h"
#include "zelkerror.h"

namespace zelk {

ReportUnit::ReportUnit(AppContext &context, const QString &unit, Prepare prepare, PreviewOptions options)
    : m_unit(unit), m_prepare(std::move(prepare)), m_options(std::move(options))
{
    setObjectName(unit);
    context.actions.insert(unit, [this](QWidget *from) { open(from); });
}

bool ReportUnit::open(QWidget *from)
{
    return showReportPreview(from, m_unit, m_prepare, m_options);
}

QObject *createReportUnit(AppContext &context, const QString &unit)
{
    const ReportEntry *entry = reportByUnit(unit);
    if (!entry)
        return nullptr;
    // The report is built at every opening, from the data module as it is then: some units
    // (member list 2) are created at start-up before the data module exists.
    return new ReportUnit(context, unit, [&context, build = entry->build] {
        if (!context.data)
            throw Error(QStringLiteral("Er is geen administratie geopend."));
        return build(*context.data);
    });
}

} // namespace zelk
