#include "invoeruitgaven.h"

#include "rekeningschema.h"

namespace zelk {

namespace {
TransferDeclaration declaration()
{
    TransferDeclaration d;
    d.unit = QStringLiteral("invoeruitgaven");
    d.caption = QStringLiteral("Verwerken uitgaven");
    d.helpHeading = QStringLiteral("7. VERWERKEN UITGAVEN");
    d.from = {QStringLiteral("  Financiele rekeningen  "),
              financialItems(false) << AccountItem{QStringLiteral("Nog te betalen"), rekeningschema::nogTeBetalen}};
    d.to = {QStringLiteral("  Uitgaven rekeningen  "),
            accountItems(rekeningschema::kosten(),
                         {QStringLiteral("Administratiekosten"), QStringLiteral("Advertentiekosten"), QStringLiteral("Arbiterkosten"),
                          QStringLiteral("Autokosten"), QStringLiteral("Bondsafdracht"), QStringLiteral("Presentatiekosten"),
                          QStringLiteral("Prijzenkosten"), QStringLiteral("Secretariaatkosten"), QStringLiteral("Vergaderkosten"),
                          QStringLiteral("Zaalhuurkosten"), QStringLiteral("Jubileumkosten"), QStringLiteral("Organisatiekosten"),
                          QStringLiteral("Overigekosten"), QStringLiteral("Overigekosten 2"), QStringLiteral("Overigekosten 3"),
                          QStringLiteral("Overigekosten 4")})};
    d.steps = {QStringLiteral("1. Kies de juiste datum"),
               QStringLiteral("2. Vul de omschrijving in"),
               QStringLiteral("3. Vul het bedrag in"),
               QStringLiteral("4. Klik op de juiste financiele rekening"),
               QStringLiteral("5. Klik op wat voor uitgave het is"),
               QStringLiteral("6. Klik op doorboeken")};
    d.boek = &boekingen::uitgaven;
    return d;
}
} // namespace

invoeruitgaven::invoeruitgaven(AppContext &context) : TransferScreen(context, declaration()) { }

} // namespace zelk
