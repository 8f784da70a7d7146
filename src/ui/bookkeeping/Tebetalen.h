#pragma once
// "Verwerken van nog te betalen rekeningen": a bill recorded as open payable is paid from
// a bank or cash account; the open payable is lowered or removed.
#include "openitemsscreen.h"

namespace zelk {

class Tebetalen : public OpenItemsScreen {
    Q_OBJECT
public:
    explicit Tebetalen(AppContext &context);
};

} // namespace zelk
