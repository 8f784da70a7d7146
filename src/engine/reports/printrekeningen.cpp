#include "printrekeningen.h"

#include "databases.h"
#include "report/listreport.h"
#include "reportsettings.h"
#include "tabledatasource.h"

namespace zelk {

printrekeningen::printrekeningen(DataModule1 &data)
{
    ListReportSpec spec;
    spec.title = titles::printrekeningen;
    spec.headingBackground = QColor(64, 64, 128);
    spec.rowHeight = 5.0;
    spec.fontSize = 10;
    spec.rowShades = {Qt::white, QColor(226, 226, 241)};
    spec.columns = {{QStringLiteral("Rekeningnaam"), QStringLiteral("Naam"), 1.5, 100},
                    {QStringLiteral("Huidig Saldo"), QStringLiteral("Saldo"), 138.5, 50, ValueFormat::Number, true}};
    m_report = makeListReport(spec, std::make_shared<TableDataSource>(data.rekeningtabel), frameSettingsOf(data));
}

} // namespace zelk
