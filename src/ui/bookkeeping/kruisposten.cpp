#include "kruisposten.h"

#include "rekeningschema.h"

namespace zelk {

namespace {
TransferDeclaration declaration()
{
    const QList<AccountItem> items = financialItems(false)
        << AccountItem{QStringLiteral("stortingverschillen"), rekeningschema::stortingverschillen};
    TransferDeclaration d;
    d.unit = QStringLiteral("kruisposten");
    d.caption = QStringLiteral("Verwerken kruisposten");
    d.helpHeading = QStringLiteral("9. VERWERKEN KRUISPOSTEN");
    d.from = {QStringLiteral("  Financiele rekeningen  "), items};
    d.to = {QStringLiteral("  Financiele rekeningen  "), items};
    d.initialDescription = QStringLiteral("kruispost");
    d.keepDescription = true;
    d.steps = {QStringLiteral("1. Kies de juiste datum"),
               QStringLiteral("2. Pas eventueel de omschrijving aan"),
               QStringLiteral("3. Vul het bedrag in"),
               QStringLiteral("4. Klik op de rekening waar het vanaf is gegaan"),
               QStringLiteral("5. Klik op de rekening waar het naartoe is gegaan"),
               QStringLiteral("6. Klik op doorboeken")};
    d.boek = &boekingen::kruispost;
    return d;
}
} // namespace

kruisposten::kruisposten(AppContext &context) : TransferScreen(context, declaration()) { }

} // namespace zelk
