#pragma once
// "Overzicht verzonden mailtjes": the log of the e-mail the sending run delivered, newest
// first. A filter panel narrows it on date, name, address and subject; the text area under
// the grid shows the text the selected member was sent. Entries are only read here, or
// deleted for good after a question; "Ververs data" reads the log again from the file, so
// entries written meanwhile by another program show. Opened from the mailing screen, which
// shows again when this screen closes.
#include "toolkit/listscreen.h"

class QPlainTextEdit;

namespace zelk {

class RecordNavigator;

class mailtjeszicht : public ListScreen {
    Q_OBJECT
public:
    explicit mailtjeszicht(AppContext &context);

    // Both exist from the first show on.
    QPlainTextEdit *mailtekst() const { return m_tekst; }
    RecordNavigator *navigator() const { return m_navigator; }

protected:
    void build() override;
    void onShow() override;

private:
    // Shows the text of the selected entry, or nothing when there is none.
    void toonmail();

    QPlainTextEdit *m_tekst = nullptr;
    RecordNavigator *m_navigator = nullptr;
};

} // namespace zelk
