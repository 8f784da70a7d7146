#include "ledenlijst03.h"

#include "databases.h"
#include "ledenkolommen.h"
#include "store/velden.h"

namespace zelk {

ledenlijst03::ledenlijst03(DataModule1 &data)
{
    // The postcode's column is 13.4 mm wide, so that the widest postcode ("9999 WW", 12.4 mm
    // in 8 points) prints whole and apart from the town.
    m_report = memberList(data, titles::ledenlijst03, Orientation::Landscape,
                          {{"Naam", 1.1, veld::leden::Naam, 1.1},
                           {"Straat", 51.9, veld::leden::Straat, 52.4},
                           {"Pcode", 92.8, veld::leden::Pcode, 93.0},
                           {"Woonplaats", 106.1, veld::leden::Plaats, 106.4},
                           {"E-mail adres", 152.1, veld::leden::Email, 151.9},
                           {"Soort lid", 193.9, veld::leden::Soortlid, 194.2},
                           {"Opmerk 1", 223.6, veld::leden::Opmerk1, 223.8}});
    // The right logo place of this landscape list starts a little left of the frame's.
    if (ReportElement *logo = m_report->band(BandKind::PageHeader)->find(QStringLiteral("logorechts")))
        logo->rect.moveLeft(197.4);
}

} // namespace zelk
