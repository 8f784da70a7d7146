#pragma once
// The desktop program's application object. An error that a screen did not handle
// itself ends in the standard error box instead of ending the program: the action
// stops at the failing step and the treasurer can go on.
#include <QApplication>

namespace zelk {

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace zelk
