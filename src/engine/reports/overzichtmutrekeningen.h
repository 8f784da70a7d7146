#pragma once
// The mutations of one account: the rows of hulp.db in the order the last build put them,
// under a dark blue heading band in white with "Rekening naam :" and the account's name,
// "Saldo :" and its balance as the per-account overview shows them (see rekeningmutaties.h),
// and then "Boekstuk", "Datum . . . .", "Omschrijving", "Bedrag"; then a dotted line and
// "Totaaltelling van de getoonde posten" with the sum of the printed amounts in the
// currency format. After an account was renamed that sum no longer equals the balance.
#include "report/report.h"

#include <memory>

namespace zelk {

class DataModule1;

class overzichtmutrekeningen {
public:
    explicit overzichtmutrekeningen(DataModule1 &data);
    std::shared_ptr<Report> report() const { return m_report; }

private:
    std::shared_ptr<Report> m_report;
};

} // namespace zelk
