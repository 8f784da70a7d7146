#pragma once
// "Overzicht nog te ontvangen (openstaande posten)": the open receivables, see openpostoverzicht.h.
#include "openpostoverzicht.h"

namespace zelk {

class over_teontvangen : public OpenPostOverzicht {
    Q_OBJECT
public:
    explicit over_teontvangen(AppContext &context);
};

} // namespace zelk
