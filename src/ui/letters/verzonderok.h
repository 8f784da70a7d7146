#pragma once
// The notice "Brief is verzonden per e-mail" of the e-mail run: the notice of a booking
// (verwerkt) with its own text, shown centred over the window it is shown for. It hides
// after 3 seconds, or at once when the mouse passes over its text.
#include "toolkit/verwerkt.h"

namespace zelk {

class verzonderok : public verwerkt {
    Q_OBJECT
public:
    explicit verzonderok(QWidget *parent = nullptr);
    // Shows the notice centred over `over`'s window (over the screen without one) and
    // starts its 3 seconds again.
    void toon(QWidget *over);
};

} // namespace zelk
