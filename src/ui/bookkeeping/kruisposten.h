#pragma once
// "Verwerken kruisposten": transfers between the association's own money accounts and the
// deposit-differences account. The description "kruispost" stays for the next transfer.
#include "transferscreen.h"

namespace zelk {

class kruisposten : public TransferScreen {
    Q_OBJECT
public:
    explicit kruisposten(AppContext &context);
};

} // namespace zelk
