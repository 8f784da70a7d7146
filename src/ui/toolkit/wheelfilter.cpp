#include "wheelfilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace zelk {

void WheelToArrowFilter::install()
{
    static WheelToArrowFilter *filter = nullptr;
    if (!filter) {
        filter = new WheelToArrowFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

bool WheelToArrowFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    // The key goes where keys go: the widget with the focus, else the one under the mouse.
    QObject *target = QApplication::focusWidget();
    if (!target)
        target = watched;
    const int key = wheel->angleDelta().y() > 0 ? Qt::Key_Up : Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    return true; // consumed: exactly one key per wheel event, no scrolling besides
}

} // namespace zelk
