#include "reportunit.h"

#include "databases.h"
#include "reports/printbalans.h"
#include "reports/printrekeningen.h"

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
    if (!context.data)
        return nullptr;
    DataModule1 &data = *context.data;
    if (unit == QLatin1String("printbalans")) {
        auto balans = std::make_shared<printbalans>(data);
        return new ReportUnit(context, unit, [balans] {
            balans->toonsaldo();
            return balans->report();
        });
    }
    if (unit == QLatin1String("printrekeningen")) {
        auto rekeningen = std::make_shared<printrekeningen>(data);
        return new ReportUnit(context, unit, [rekeningen] { return rekeningen->report(); });
    }
    return nullptr;
}

} // namespace zelk
