#pragma once
// "Verwerken inkomsten": money received, from an income account to a bank or cash
// account, or to the receivables account (which records an open receivable).
#include "transferscreen.h"

namespace zelk {

class invoeroverin : public TransferScreen {
    Q_OBJECT
public:
    explicit invoeroverin(AppContext &context);
};

} // namespace zelk
