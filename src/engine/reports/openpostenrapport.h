#pragma once
// What the open payables and open receivables reports share: the rows of their table that
// the overview's filter lets through, in the order they were added, under white headings
// "Datum", "Omschrijving", "Bedrag" on a dark blue band, then a dotted line and
// "Totaaltelling van de getoonde posten" with the sum of the printed amounts in the
// currency format; the footer reads "Overzicht openstaande posten".
#include "report/reportframe.h"

#include <memory>

namespace zelk {

class DataModule1;
class Table;

std::shared_ptr<Report> openPostenRapport(DataModule1 &data, Table &items, const titles::ReportTitle &title);

} // namespace zelk
