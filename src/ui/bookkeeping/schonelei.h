#pragma once
// "Met schone lei beginnen": empties the bookkeeping in one action after the question
// "Alle rekeningen leeg maken?? Zeker weten?": the journal, every balance, and the open
// payables and receivables. Members and account names stay. A safety copy is made first;
// where it is stays shown on the screen.
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

class QLabel;

namespace zelk {

class HoverButton;

class schonelei : public TaskScreen {
    Q_OBJECT
public:
    explicit schonelei(AppContext &context);

    HoverButton *uitvoerenButton() const { return m_run; }
    QLabel *kopieLabel() const { return m_copy; }

    // "Uitvoeren": asks, then empties the bookkeeping and shows the processed notice.
    void uitvoeren();

protected:
    void onShow() override;

private:
    HoverButton *m_run;
    QLabel *m_copy;
};

} // namespace zelk
