#pragma once
// "Verwerken van nog te ontvangen rekeningen": money recorded as open receivable comes in
// on a bank or cash account; the open receivable is lowered or removed.
#include "openitemsscreen.h"

namespace zelk {

class Teontvangen : public OpenItemsScreen {
    Q_OBJECT
public:
    explicit Teontvangen(AppContext &context);
};

} // namespace zelk
