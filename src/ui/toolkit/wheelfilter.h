#pragma once
// Turns a mouse-wheel step into one Up (wheel turned away from the user) or Down arrow
// key press for the control that has the focus, so grids and lists move one row per
// step, but only while the mouse pointer is over that control. A wheel turned anywhere
// else changes nothing: no chosen account, date or row moves because the wheel was
// turned over another part of the window.
#include <QObject>

class QWidget;

namespace zelk {

class WheelToArrowFilter : public QObject {
public:
    using QObject::QObject;
    // Installs one filter on the running application.
    static void install();
    // Whether a wheel step over `pointed` (the widget under the pointer) goes to `focused`.
    static bool reaches(const QWidget *pointed, const QWidget *focused);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zelk
