#include "helponderwerpen.h"

namespace zelk {

const QList<HelpOnderwerp> &helpOnderwerpen()
{
    static const QList<HelpOnderwerp> all = {
        {{}, u"Doel van het programma"_qs, u"Doel van het programma"_qs},
        {u"Welke gebruikers"_qs, u"Voor wie is dit programma bedoeld"_qs, u"Voor wie is dit programma bedoeld"_qs},
        {u"Welke gebruikers"_qs, u"Waaraan moet het computersysteem voldoen"_qs, u"Waaraan moet het com"_qs},
        {u"Uitleg en layouts"_qs, u"Aanpassen van deze uitleg"_qs, u"Aanpassen - uitbreiden van deze uitleg"_qs},
        {u"Uitleg en layouts"_qs, u"Overzichten voorzien van eigen logo"_qs, u"Geprinte overzichten voorzien van eigen logo"_qs},
        {u"Boekhouden"_qs, u"Hoe werkt het"_qs, u"Hoe werkt het"_qs},
        {u"Boekhouden"_qs, u"Opzetten van een administratie"_qs, u"Opzetten van de administratie"_qs},
        {u"Opzetten administratie"_qs, u"Invoer leden"_qs, u"1. INVOEREN LEDEN"_qs},
        {u"Opzetten administratie"_qs, u"Omschrijvingen"_qs, u"2. INVOEREN NAMEN"_qs},
        {u"Opzetten administratie"_qs, u"Start balans"_qs, u"3. INVOER STARTBALANS"_qs},
        {u"Opzetten administratie"_qs, u"Schone lei"_qs, u"    SCHONE LEI"_qs},
        {u"Verwerken"_qs, u"Contributies"_qs, u"4. VERWERKEN CONTRIBUTIES"_qs},
        {u"Verwerken"_qs, u"Inkomsten"_qs, u"5. VERWERKEN INKOMSTEN"_qs},
        {u"Verwerken"_qs, u"Nog te ontvangen"_qs, u"6. VERWERKEN"_qs},
        {u"Verwerken"_qs, u"Uitgaven"_qs, u"7. VERWERKEN UITGAVEN"_qs},
        {u"Verwerken"_qs, u"Nog te betalen"_qs, u"8. VERWERKEN NOG TE BETALEN"_qs},
        {u"Verwerken"_qs, u"Kruisposten"_qs, u"9. VERWERKEN KRUISPOSTEN"_qs},
        {u"Overzichten"_qs, u"Balans"_qs, u"10. OVERZICHT BALANS"_qs},
        {u"Overzichten"_qs, u"Mutaties"_qs, u"11. OVERZICHT MUTATIES"_qs},
        {u"Overzichten"_qs, u"Te betalen"_qs, u"12. OVERZICHT TE BETALEN"_qs},
        {u"Overzichten"_qs, u"Te ontvangen"_qs, u"13. OVERZICHT TE ONTVANGEN"_qs},
        {u"Bijzondere boekingen"_qs, u"Bij inkomsten"_qs, u"Bijzondere handelingen bij inkomsten"_qs},
        {u"Bijzondere boekingen"_qs, u"Bij ontvangsten"_qs, u"Bijzondere handelingen bij ontvangsten"_qs},
        {u"Bijzondere boekingen"_qs, u"Bij betalingen"_qs, u"Bijzondere handelingen bij betalingen"_qs},
        {u"Bijzondere boekingen"_qs, u"Bij uitgaven"_qs, u"a. Bijzondere handelingen bij uitgaven"_qs},
        {u"Bijzondere boekingen"_qs, u"Bij kruisposten"_qs, u"a. Bijzondere handelingen bij kruisposten"_qs},
        {u"Opties"_qs, u"Jaar afsluiten"_qs, u"14. JAAR AFSLUITEN"_qs},
        {u"Opties"_qs, u"Backup"_qs, u"15. BACKUP"_qs},
        {u"Opties"_qs, u"Restore"_qs, u"16. RESTORE"_qs},
        {u"Opties"_qs, u"Instellingen"_qs, u"17. INSTELLINGEN"_qs},
        {u"Opties"_qs, u"Mailing"_qs, u"18. MAILING"_qs},
        {u"Opties"_qs, u"Foutmeldingen"_qs, u"20. FOUTMELDINGEN"_qs},
        {u"Opties"_qs, u"Begroting"_qs, u"19. BEGROTING"_qs}, // the manual's budget chapter
    };
    return all;
}

} // namespace zelk
