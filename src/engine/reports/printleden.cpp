#include "printleden.h"

#include "databases.h"
#include "ledenkolommen.h"

namespace zelk {

printleden::printleden(DataModule1 &data)
{
    m_report = memberList(data, titles::printleden, Orientation::Portrait,
                          {{"Naam", 1.1, "Naam", 1.1},
                           {"Straat", 39.2, "Straat", 39.7},
                           {"Pcode", 84.4, "Pcode", 84.7},
                           {"Woonplaats", 95.0, "Plaats", 95.5},
                           {"E-mail adres", 133.1, "Email", 133.6},
                           {"Geb.dat", 174.9, "Geb datum", 177.0}});
}

} // namespace zelk
