#pragma once
// The open payables or receivables, read-only: a grid of the items ("Datum",
// "Omschrijving", "Bedrag") narrowed by the filter panel ("Datum" and "Bedrag" from and
// to, "Omschrijving"), "Overzicht" printing the rows shown with their total, "Help" and
// "Sluit venster". Settling and adding items is done on the processing screens.
#include "toolkit/listscreen.h"

namespace zelk {

struct OpenPostOverzichtDeclaration {
    QString unit;
    QString caption;
    QString helpHeading;
    Table DataModule1::*items = nullptr;
    QString report; // the unit of the report "Overzicht" opens
};

class OpenPostOverzicht : public ListScreen {
    Q_OBJECT
public:
    OpenPostOverzicht(AppContext &context, const OpenPostOverzichtDeclaration &declaration);

protected:
    void build() override;

private:
    QString m_report;
};

} // namespace zelk
