#include "verzonderok.h"

namespace zelk {

verzonderok::verzonderok(QWidget *parent) : verwerkt(parent)
{
    setObjectName(QStringLiteral("verzonderok"));
    label()->setText(QStringLiteral("Brief is verzonden per e-mail"));
}

void verzonderok::toon(QWidget *over)
{
    showNotice(); // sized, placed on the screen, timer started
    if (over && over->window()->isVisible())
        move(over->window()->frameGeometry().center() - rect().center());
}

} // namespace zelk
