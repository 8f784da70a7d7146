#include "invoeruitgaven.h"

namespace zelk {

namespace {
TransferDeclaration declaration()
{
    TransferDeclaration d;
    d.unit = QStringLiteral("invoeruitgaven");
    d.caption = QStringLiteral("Verwerken uitgaven");
    d.helpHeading = QStringLiteral("7. VERWERKEN UITGAVEN");
    d.from = {QStringLiteral("  Financiele rekeningen  "), financialItems(false) << AccountItem{QStringLiteral("Nog te betalen"), 24}};
    d.to = {QStringLiteral("  Uitgaven rekeningen  "),
            {{QStringLiteral("Administratiekosten"), 12},
             {QStringLiteral("Advertentiekosten"), 13},
             {QStringLiteral("Arbiterkosten"), 14},
             {QStringLiteral("Autokosten"), 15},
             {QStringLiteral("Bondsafdracht"), 16},
             {QStringLiteral("Presentatiekosten"), 17},
             {QStringLiteral("Prijzenkosten"), 18},
             {QStringLiteral("Secretariaatkosten"), 19},
             {QStringLiteral("Vergaderkosten"), 20},
             {QStringLiteral("Zaalhuurkosten"), 21},
             {QStringLiteral("Jubileumkosten"), 29},
             {QStringLiteral("Organisatiekosten"), 30},
             {QStringLiteral("Overigekosten"), 22},
             {QStringLiteral("Overigekosten 2"), 33},
             {QStringLiteral("Overigekosten 3"), 34},
             {QStringLiteral("Overigekosten 4"), 35}}};
    d.steps = {QStringLiteral("1. Kies de juiste datum"), QStringLiteral("2. Vul de omschrijving in"),
               QStringLiteral("3. Vul het bedrag in"), QStringLiteral("4. Klik op de juiste financiele rekening"),
               QStringLiteral("5. Klik op wat voor uitgave het is"), QStringLiteral("6. Klik op doorboeken")};
    d.boek = &boekingen::uitgaven;
    return d;
}
} // namespace

invoeruitgaven::invoeruitgaven(AppContext &context)
    : TransferScreen(context, declaration())
{
}

} // namespace zelk
