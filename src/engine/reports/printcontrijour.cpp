#include "printcontrijour.h"

#include "databases.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

namespace zelk {

printcontrijour::printcontrijour(DataModule1 &data)
{
    using namespace veld::journaal;
    ListReportLayout list;
    list.title = titles::printcontrijour;
    list.columns = {{QStringLiteral("Bkst"), JrNr.toString(), 0, 11.5, ValueFormat::Integer, true},
                    {QStringLiteral("Datum"), Datum.toString(), 12.5, 17.5, ValueFormat::ShortDate},
                    {QStringLiteral("Omschrijving"), Omschrijving.toString(), 32, 54},
                    {QStringLiteral("Van rekening"), Vanrekening.toString(), 88, 36},
                    {QStringLiteral("Naar rekening"), Naarrekening.toString(), 126, 36},
                    {QStringLiteral("Bedrag"), Bedrag.toString(), 163, 27, ValueFormat::Number, true}};
    list.totalField = Bedrag.toString();
    list.totalLabel = QStringLiteral("Totaaltelling van de getoonde mutaties");
    m_report = makeListReport(list, std::make_shared<TableDataSource>(data.journaaltabel), frameSettingsOf(data));
}

} // namespace zelk
