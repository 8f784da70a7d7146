#pragma once
// "Verwerken uitgaven": money spent, from a bank or cash account, or from the payables
// account (which records an open payable), to a cost account.
#include "transferscreen.h"

namespace zelk {

class invoeruitgaven : public TransferScreen {
    Q_OBJECT
public:
    explicit invoeruitgaven(AppContext &context);
};

} // namespace zelk
