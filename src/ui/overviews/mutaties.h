#pragma once
// "Overzicht mutaties": the whole journal in booking order, narrowed by the filter panel
// ("Boekstuk" and "Datum" from and to, "Omschrijving", "Vanrekening", "Naarrekening"),
// the looked-up account numbers "van" and "naar", and "Omschrijving aanpassen", which
// corrects the description of the selected booking: stored when another row is selected,
// before printing and when the screen closes, never changing an amount or a balance.
// "Afdrukken" prints the rows shown (printcontrijour).
#include "toolkit/listscreen.h"

class QLineEdit;
class QToolButton;

namespace zelk {

class mutaties : public ListScreen {
    Q_OBJECT
public:
    explicit mutaties(AppContext &context);

    QLineEdit *omschrijving() const { return m_omschrijving; }

protected:
    void build() override;
    bool storePending() override { return bewaaromschrijving(); }
    void onShow() override;
    // Stores the edited description first and stays open when that fails.
    void sluitvenster() override;

private:
    void toonomschrijving();
    bool bewaaromschrijving();

    QLineEdit *m_omschrijving = nullptr;
    QToolButton *m_helpPicture = nullptr;
    qint64 m_row = -1;      // the journal row the description box shows, -1 for none
    bool m_changed = false; // the user typed in the box since it showed that row
};

} // namespace zelk
