#include "reportunit.h"

#include "databases.h"
#include "reports/ledenlijst03.h"
#include "reports/printbalans.h"
#include "reports/printcontribut.h"
#include "reports/printleden.h"
#include "reports/printledenall.h"
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

namespace {
// A member report: its definition is made at the first run, as member list 2 is created
// before the data module at start-up.
template <typename Definition>
ReportUnit *memberReport(AppContext &context, const QString &unit)
{
    auto made = std::make_shared<std::shared_ptr<Report>>();
    return new ReportUnit(context, unit, [&context, made] {
        if (!*made)
            *made = Definition(*context.data).report();
        return *made;
    });
}
} // namespace

QObject *createReportUnit(AppContext &context, const QString &unit)
{
    if (unit == QLatin1String("printleden"))
        return memberReport<printleden>(context, unit);
    if (unit == QLatin1String("ledenlijst03"))
        return memberReport<ledenlijst03>(context, unit);
    if (unit == QLatin1String("printledenall"))
        return memberReport<printledenall>(context, unit);
    if (unit == QLatin1String("printcontribut"))
        return memberReport<printcontribut>(context, unit);
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
