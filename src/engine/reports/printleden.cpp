#include "printleden.h"

#include "databases.h"
#include "ledenkolommen.h"
#include "store/velden.h"

namespace zelk {

printleden::printleden(DataModule1 &data)
{
    m_report = memberList(data, titles::printleden, Orientation::Portrait,
                          {{"Naam", 1.1, veld::leden::Naam, 1.1},
                           {"Straat", 39.2, veld::leden::Straat, 39.7},
                           {"Pcode", 84.4, veld::leden::Pcode, 84.7},
                           {"Woonplaats", 95.0, veld::leden::Plaats, 95.5},
                           {"E-mail adres", 133.1, veld::leden::Email, 133.6},
                           {"Geb.dat", 174.9, veld::leden::GebDatum, 177.0}});
}

} // namespace zelk
