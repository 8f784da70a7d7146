#include "openpostenrapport.h"

#include "databases.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

namespace zelk {

std::shared_ptr<Report> openPostenRapport(DataModule1 &data, Table &items, const titles::ReportTitle &title)
{
    using namespace veld::openpost;
    ListReportLayout list;
    list.title = title;
    list.columns = {{QStringLiteral("Datum"), Datum.toString(), 0, 20, ValueFormat::ShortDate},
                    {QStringLiteral("Omschrijving"), Omschrijving.toString(), 22, 110},
                    {QStringLiteral("Bedrag"), Bedrag.toString(), 150, 40, ValueFormat::Number, true}};
    list.totalField = Bedrag.toString();
    list.totalLabel = QStringLiteral("Totaaltelling van de getoonde posten");
    return makeListReport(list, std::make_shared<TableDataSource>(items), frameSettingsOf(data));
}

} // namespace zelk
