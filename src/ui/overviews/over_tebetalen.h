#pragma once
// "Overzicht nog te betalen (openstaande posten)": the open payables, see openpostoverzicht.h.
#include "openpostoverzicht.h"

namespace zelk {

class over_tebetalen : public OpenPostOverzicht {
    Q_OBJECT
public:
    explicit over_tebetalen(AppContext &context);
};

} // namespace zelk
