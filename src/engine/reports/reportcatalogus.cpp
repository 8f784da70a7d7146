#include "reportcatalogus.h"

#include "databases.h"
#include "ledenlijst03.h"
#include "overzichtmutrekeningen.h"
#include "papportstand.h"
#include "printbalans.h"
#include "printbegroot.h"
#include "printcontribut.h"
#include "printcontrijour.h"
#include "printleden.h"
#include "printledenall.h"
#include "printrekeningen.h"
#include "printtebetalen.h"
#include "printteontvangen.h"
#include "report1.h"

#include <algorithm>

namespace zelk {

const std::vector<ReportEntry> &reportCatalogus()
{
    static const std::vector<ReportEntry> reports = {
        {QStringLiteral("printbalans"), QStringLiteral("balans"),
         QStringLiteral("Financieel overzicht: inkomsten, uitgaven, saldi en eigen vermogen"),
         [](DataModule1 &data) {
             printbalans balans(data);
             balans.toonsaldo();
             return balans.report();
         },
         false},
        {QStringLiteral("printbegroot"), QStringLiteral("begroting"),
         QStringLiteral("Begroting komend boekjaar: de begrote inkomsten en uitgaven, sluitend gemaakt"),
         [](DataModule1 &data) {
             printbegroot begroting(data);
             begroting.vulbegroting(Begroting{});
             return begroting.report();
         },
         false},
        {QStringLiteral("report1"), QStringLiteral("grafiek"),
         QStringLiteral("Grafiek van de inkomsten en uitgaven per rekening, met het aandeel van elke rekening"),
         [](DataModule1 &data) {
             report1 grafiek(data);
             grafiek.vulgrafiek();
             return grafiek.report();
         },
         false},
        {QStringLiteral("printrekeningen"), QStringLiteral("rekeningen"),
         QStringLiteral("Rekeningoverzicht: elke rekening met haar huidige saldo"),
         [](DataModule1 &data) { return printrekeningen(data).report(); }, false},
        {QStringLiteral("printcontrijour"), QStringLiteral("journaal"),
         QStringLiteral("Overzicht journaal: de boekingen die het filter doorlaat, met hun totaal"),
         [](DataModule1 &data) { return printcontrijour(data).report(); }, false, &DataModule1::journaaltabel, journaalCriteria},
        {QStringLiteral("overzichtmutrekeningen"), QStringLiteral("rekening"),
         QStringLiteral("Mutaties van een rekening zoals laatst opgebouwd, met hun totaal"),
         [](DataModule1 &data) { return overzichtmutrekeningen(data).report(); }, false},
        {QStringLiteral("printtebetalen"), QStringLiteral("tebetalen"),
         QStringLiteral("Overzicht nog te betalen posten die het filter doorlaat, met hun totaal"),
         [](DataModule1 &data) { return printtebetalen(data).report(); }, false, &DataModule1::betalentabel, openPostCriteria},
        {QStringLiteral("printteontvangen"), QStringLiteral("teontvangen"),
         QStringLiteral("Overzicht nog te ontvangen posten die het filter doorlaat, met hun totaal"),
         [](DataModule1 &data) { return printteontvangen(data).report(); }, false, &DataModule1::ontvangentabel, openPostCriteria},
        {QStringLiteral("printleden"), QStringLiteral("leden"), QStringLiteral("Ledenlijst 1 (staand): naam, adres, e-mail, geboortedatum"),
         [](DataModule1 &data) { return printleden(data).report(); }, true},
        {QStringLiteral("ledenlijst03"), QStringLiteral("ledenlijst03"),
         QStringLiteral("Ledenlijst 2 (liggend): naam, adres, e-mail, soort lid, opmerking"),
         [](DataModule1 &data) { return ledenlijst03(data).report(); }, true},
        {QStringLiteral("printledenall"), QStringLiteral("ledenall"), QStringLiteral("Alle gegevens per lid"),
         [](DataModule1 &data) { return printledenall(data).report(); }, true},
        {QStringLiteral("printcontribut"), QStringLiteral("contributies"),
         QStringLiteral("Overzicht contributies: de betaalde maanden per lid, vorig tot volgend jaar"),
         [](DataModule1 &data) { return printcontribut(data).report(); }, true},
        {QStringLiteral("papportstand"), QStringLiteral("brieven"),
         QStringLiteral("Standaardbrief per lid met de gegevens van dat lid (de brief van de laatste afdruk)"), papportstand::ofPrintCopy,
         true},
    };
    return reports;
}

const ReportEntry *reportByUnit(const QString &unit)
{
    const auto &all = reportCatalogus();
    const auto found = std::ranges::find(all, unit, &ReportEntry::unit);
    return found == all.end() ? nullptr : &*found;
}

const ReportEntry *reportByCliName(const QString &cliName)
{
    const auto &all = reportCatalogus();
    const auto found = std::ranges::find(all, cliName, &ReportEntry::cliName);
    return found == all.end() ? nullptr : &*found;
}

} // namespace zelk
