#pragma once
// The topic items of the help viewer's menu "Zoek onderwerp": the submenu they sit in
// (empty: the menu itself), their caption, and the heading they look up in the manual.
#include <QList>
#include <QString>

namespace zelk {

struct HelpOnderwerp {
    QString submenu;
    QString item;
    QString heading;
};

const QList<HelpOnderwerp> &helpOnderwerpen();

} // namespace zelk
