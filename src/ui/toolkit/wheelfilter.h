#pragma once
// Turns every mouse-wheel step anywhere in the program into one Up (wheel turned away
// from the user) or Down arrow key press, so grids and lists move one row per step.
#include <QObject>

namespace zelk {

class WheelToArrowFilter : public QObject {
public:
    using QObject::QObject;
    // Installs one filter on the running application.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zelk
