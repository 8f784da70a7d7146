#pragma once
// "Mailing": the hub of the letters and e-mail. A filter panel over the members (a text
// per field, found anywhere in it) narrows the member table to the selection that the
// letter print and the e-mail run go through; the grid shows it in name order. "Bewerken
// brief", "Bewerken e-mail" and "Verzonden e-mail" open their screen in front of this one;
// the filter stays on while they are in front and is lifted only when this screen closes.
#include "toolkit/listscreen.h"

namespace zelk {

class stanbrief : public ListScreen {
    Q_OBJECT
public:
    explicit stanbrief(AppContext &context);

    // The screens the buttons open, by caption.
    static const QList<std::pair<QString, QString>> &openedScreens();

protected:
    void build() override;
    void onShow() override;

private:
    void openScreen(const QString &unit);
};

} // namespace zelk
