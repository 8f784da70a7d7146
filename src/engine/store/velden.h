#pragma once
// The field names of every table, one constant each, spelled as the files hold them.
// The table layouts (tableschema.cpp) are built from these, and code names a field only
// through them, so a field is written in one place.
#include <QStringList>
#include <QStringView>

namespace zelk::veld {

// leden.DB (and ledennew.DB): the member register, keyed by Naam.
namespace leden {
inline constexpr QStringView Naam = u"Naam";
inline constexpr QStringView Straat = u"Straat";
inline constexpr QStringView Pcode = u"Pcode";
inline constexpr QStringView Plaats = u"Plaats";
inline constexpr QStringView Email = u"Email";
inline constexpr QStringView BankGiro = u"Bank-giro";
inline constexpr QStringView GebDatum = u"Geb datum";
inline constexpr QStringView Lidbedrag = u"Lidbedrag";
inline constexpr QStringView Soortlid = u"Soortlid";
inline constexpr QStringView Opmerk1 = u"Opmerk1";
inline constexpr QStringView Opmerk2 = u"Opmerk2";
inline constexpr QStringView Opmerk3 = u"Opmerk3";

// The 36 monthly dues marks in the table's order: Ajan…Adec (previous year), Jan…Dec
// (current year), Vjan…Vdec (next year).
const QStringList &maanden();
// The twelve marks of one year: 0 previous, 1 current, 2 next.
QStringList maandenVan(int jaar);
} // namespace leden

// rekeningen.db: the chart of accounts, by number.
namespace rekeningen {
inline constexpr QStringView Nummer = u"Nummer";
inline constexpr QStringView Naam = u"Naam";
inline constexpr QStringView Saldo = u"Saldo";
} // namespace rekeningen

// journaal.db; "van" and "naar" are derived (the number of the account with that name).
namespace journaal {
inline constexpr QStringView JrNr = u"JrNr";
inline constexpr QStringView Datum = u"Datum";
inline constexpr QStringView Omschrijving = u"Omschrijving";
inline constexpr QStringView Vanrekening = u"Vanrekening";
inline constexpr QStringView Naarrekening = u"Naarrekening";
inline constexpr QStringView Bedrag = u"Bedrag";
inline constexpr QStringView van = u"van";
inline constexpr QStringView naar = u"naar";
} // namespace journaal

// tebetalen.db and teontvangen.db: the open items.
namespace openpost {
inline constexpr QStringView Datum = u"Datum";
inline constexpr QStringView Omschrijving = u"Omschrijving";
inline constexpr QStringView Bedrag = u"Bedrag";
} // namespace openpost

// mailtjes.db (and mailtjesnew.db): the sent e-mail log.
namespace mailtjes {
inline constexpr QStringView Mnaam = u"Mnaam";
inline constexpr QStringView Datum = u"Datum";
inline constexpr QStringView Tijd = u"Tijd";
inline constexpr QStringView Madres = u"Madres";
inline constexpr QStringView Monderwerp = u"Monderwerp";
inline constexpr QStringView Mmail = u"Mmail";
} // namespace mailtjes

} // namespace zelk::veld
