#include "printrekeningen.h"

#include "databases.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

namespace zelk {

printrekeningen::printrekeningen(DataModule1 &data)
{
    ListReportLayout list;
    list.title = titles::printrekeningen;
    list.headingBackground = QColor(64, 64, 128);
    list.rowHeight = 5.0;
    list.fontSize = 10;
    list.rowShades = {Qt::white, QColor(226, 226, 241)};
    list.columns = {{QStringLiteral("Rekeningnaam"), veld::rekeningen::Naam.toString(), 1.5, 100},
                    {QStringLiteral("Huidig Saldo"), veld::rekeningen::Saldo.toString(), 138.5, 50, ValueFormat::Number, true}};
    m_report = makeListReport(list, std::make_shared<TableDataSource>(data.rekeningtabel), frameSettingsOf(data));
}

} // namespace zelk
