#include "invoeroverin.h"

#include "rekeningschema.h"

namespace zelk {

namespace {
TransferDeclaration declaration()
{
    TransferDeclaration d;
    d.unit = QStringLiteral("invoeroverin");
    d.caption = QStringLiteral("Verwerken inkomsten");
    d.helpHeading = QStringLiteral("5. VERWERKEN INKOMSTEN");
    d.from = {
        QStringLiteral("  Ontvangsten rekeningen  "),
        accountItems(rekeningschema::inkomsten(),
                     {QStringLiteral("Contributies"), QStringLiteral("Donaties"), QStringLiteral("Loterij/tombola"),
                      QStringLiteral("Verkopen"), QStringLiteral("Verkoop 2"), QStringLiteral("Verkoop 3"), QStringLiteral("Verkoop 4"),
                      QStringLiteral("Overige inkomsten"), QStringLiteral("Overige inkomsten 2"), QStringLiteral("Overige inkomsten 3")})};
    d.to = {QStringLiteral("  Financiele rekeningen  "),
            financialItems(false) << AccountItem{QStringLiteral("Nog te ontvangen"), rekeningschema::nogTeOntvangen}};
    d.steps = {QStringLiteral("1. Kies de juiste datum"),
               QStringLiteral("2. Vul de omschrijving in"),
               QStringLiteral("3. Vul het bedrag in"),
               QStringLiteral("4. Klik op wat voor inkomst het is"),
               QStringLiteral("5. Klik op de juiste financiele rekening"),
               QStringLiteral("6. Klik op doorboeken")};
    d.boek = &boekingen::inkomsten;
    return d;
}
} // namespace

invoeroverin::invoeroverin(AppContext &context) : TransferScreen(context, declaration()) { }

} // namespace zelk
