#pragma once
// "Overzicht mutaties per rekening": the accounts, and for the account chosen there the
// mutations that "Opbouw vanuit journaal" builds from the journal into hulp.db (see
// rekeningmutaties.h), with the name and balance of the account last built, the warning
// about renamed accounts, and "Overzicht", which prints the list. No help button.
#include "toolkit/listscreen.h"

class QLabel;

namespace zelk {

class BoundGrid;
class HoverButton;

class rekoverzicht : public ListScreen {
    Q_OBJECT
public:
    explicit rekoverzicht(AppContext &context);

    BoundGrid *mutationsGrid() const { return m_mutations; }
    QLabel *accountName() const { return m_name; }
    QLabel *accountBalance() const { return m_balance; }

    // "Opbouw vanuit journaal" for the account selected in the accounts grid; false when
    // it failed (the error is shown and nothing changed).
    bool opbouwvanuitjournaal();

protected:
    void build() override;
    void onShow() override;

private:
    void toonopbouw();

    BoundGrid *m_mutations = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_balance = nullptr;
};

} // namespace zelk
