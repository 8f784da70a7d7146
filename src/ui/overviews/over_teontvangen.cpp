#include "over_teontvangen.h"

#include "databases.h"

namespace zelk {

over_teontvangen::over_teontvangen(AppContext &context)
    : OpenPostOverzicht(context,
                        {QStringLiteral("over_teontvangen"), QStringLiteral("Overzicht nog te ontvangen (openstaande posten)"),
                         QStringLiteral("13. OVERZICHT TE ONTVANGEN"), &DataModule1::ontvangentabel, QStringLiteral("printteontvangen")})
{
}

} // namespace zelk
