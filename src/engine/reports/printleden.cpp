#include "printleden.h"

#include "databases.h"
#include "ledenkolommen.h"
#include "store/velden.h"

namespace zelk {

printleden::printleden(DataModule1 &data)
{
    // The postcode's column is 13.4 mm wide, so that the widest postcode ("9999 WW", 12.4 mm
    // in 8 points) prints whole and apart from the town; and a birth date, 14.4 mm in 8
    // points, ends at the right margin.
    m_report = memberList(data, titles::printleden, Orientation::Portrait,
                          {{"Naam", 1.1, veld::leden::Naam, 1.1},
                           {"Straat", 39.2, veld::leden::Straat, 39.7},
                           {"Pcode", 81.8, veld::leden::Pcode, 82.1},
                           {"Woonplaats", 95.0, veld::leden::Plaats, 95.5},
                           {"E-mail adres", 133.1, veld::leden::Email, 133.6},
                           {"Geb.dat", 174.9, veld::leden::GebDatum, 175.5}});
}

} // namespace zelk
