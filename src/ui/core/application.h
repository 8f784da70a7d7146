#pragma once
// The desktop program's application object. An error that a screen did not handle
// itself ends in the standard error box instead of ending the program: the action
// stops at the failing step and the treasurer can go on. The screens' actions run
// through runGuarded (toolkit/messages.h), which shows the error before it can reach
// Qt's own code; this object only catches what still escaped a screen, as a last resort.
#include <QApplication>

namespace zelk {

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace zelk
