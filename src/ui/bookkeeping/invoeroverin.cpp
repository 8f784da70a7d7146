#include "invoeroverin.h"

namespace zelk {

namespace {
TransferDeclaration declaration()
{
    TransferDeclaration d;
    d.unit = QStringLiteral("invoeroverin");
    d.caption = QStringLiteral("Verwerken inkomsten");
    d.helpHeading = QStringLiteral("5. VERWERKEN INKOMSTEN");
    d.from = {QStringLiteral("  Ontvangsten rekeningen  "),
              {{QStringLiteral("Contributies"), 7},
               {QStringLiteral("Donaties"), 8},
               {QStringLiteral("Loterij/tombola"), 9},
               {QStringLiteral("Verkopen"), 10},
               {QStringLiteral("Verkoop 2"), 26},
               {QStringLiteral("Verkoop 3"), 27},
               {QStringLiteral("Verkoop 4"), 28},
               {QStringLiteral("Overige inkomsten"), 11},
               {QStringLiteral("Overige inkomsten 2"), 31},
               {QStringLiteral("Overige inkomsten 3"), 32}}};
    d.to = {QStringLiteral("  Financiele rekeningen  "), financialItems(false) << AccountItem{QStringLiteral("Nog te ontvangen"), 25}};
    d.steps = {QStringLiteral("1. Kies de juiste datum"), QStringLiteral("2. Vul de omschrijving in"),
               QStringLiteral("3. Vul het bedrag in"), QStringLiteral("4. Klik op wat voor inkomst het is"),
               QStringLiteral("5. Klik op de juiste financiele rekening"), QStringLiteral("6. Klik op doorboeken")};
    d.boek = &boekingen::inkomsten;
    return d;
}
} // namespace

invoeroverin::invoeroverin(AppContext &context)
    : TransferScreen(context, declaration())
{
}

} // namespace zelk
