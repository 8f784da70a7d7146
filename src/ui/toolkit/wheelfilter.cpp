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

bool WheelToArrowFilter::reaches(const QWidget *pointed, const QWidget *focused)
{
    // The pointer is over the control itself or one of its parts (a grid's rows, header
    // or scroll bar, a date field's text).
    return pointed && focused && (pointed == focused || focused->isAncestorOf(pointed));
}

bool WheelToArrowFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    // The window hands the wheel on to the widget under the pointer; either may be asked.
    const QWidget *pointed = qobject_cast<QWidget *>(watched);
    if (!pointed)
        pointed = QApplication::widgetAt(wheel->globalPosition().toPoint());
    QWidget *focused = QApplication::focusWidget();
    if (reaches(pointed, focused)) {
        const int key = wheel->angleDelta().y() > 0 ? Qt::Key_Up : Qt::Key_Down;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(focused, &press);
    }
    return true; // consumed: at most one key per wheel event, no scrolling besides
}

} // namespace zelk
