#pragma once
// "Afsluiten boekjaar": closes the financial year on a chosen date in one click, without
// a question (the warning line is the safeguard): the journal is emptied, the dues marks
// move on a year, and the bank, cash, payables and receivables balances are booked again
// as "beginbalans" against the equity account. A safety copy is made first; where it is
// stays shown on the screen.
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

class QLabel;

namespace zelk {

class DatePicker;
class HoverButton;

class jaarafsluit : public TaskScreen {
    Q_OBJECT
public:
    explicit jaarafsluit(AppContext &context);

    DatePicker *afsluitdatum() const { return m_date; }
    HoverButton *jaarafsluitenButton() const { return m_close; }
    // Where the safety copy of the last closing went (empty before the first).
    QLabel *kopieLabel() const { return m_copy; }

    // "Jaarafsluiten": closes the year on the picker's date and shows the processed notice.
    void jaarafsluiten();

protected:
    void onShow() override;

private:
    DatePicker *m_date;
    HoverButton *m_close;
    QLabel *m_copy;
};

} // namespace zelk
