#pragma once
// The mailing selection of zelk-cli's letters and mail: "--filter VELD=TEKST", as the mailing
// screen's filter boxes take them (TEKST anywhere in VELD, ignoring case; all must hold).
#include "filtercriteria.h"

#include <QStringList>

namespace zelk {
class Table;
}

namespace zelk::cli {

// Takes every "--filter VELD=TEKST" out of `args`. Throws UsageError for one without "=" or
// with a field the mailing screen has no box for.
FilterCriteria takeLedenfilter(QStringList &args);

// Makes the member table show only the members `criteria` let through (all when blank).
void applyLedenfilter(Table &leden, const FilterCriteria &criteria);

// The fields --filter knows, as the help lists them.
QString ledenfilterVelden();

} // namespace zelk::cli
