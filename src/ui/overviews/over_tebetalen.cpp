#include "over_tebetalen.h"

#include "databases.h"

namespace zelk {

over_tebetalen::over_tebetalen(AppContext &context)
    : OpenPostOverzicht(context,
                        {QStringLiteral("over_tebetalen"), QStringLiteral("Overzicht nog te betalen (openstaande posten)"),
                         QStringLiteral("12. OVERZICHT TE BETALEN"), &DataModule1::betalentabel, QStringLiteral("printtebetalen")})
{
}

} // namespace zelk
