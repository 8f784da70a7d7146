#include "taskscreen.h"

#include "messages.h"

#include <QCloseEvent>

namespace zelk {

TaskScreen::TaskScreen(const QString &unitName, const QString &caption, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(unitName);
    setWindowTitle(caption);
}

void TaskScreen::openFrom(QWidget *caller)
{
    m_caller = caller;
    show();
    raise();
    activateWindow();
    if (caller)
        caller->hide();
}

void TaskScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runGuarded(this, [this] { onShow(); });
}

void TaskScreen::closeEvent(QCloseEvent *event)
{
    runGuarded(this, [this] { onClose(); });
    QWidget::closeEvent(event);
    Q_EMIT closed();
    if (m_caller)
        m_caller->show();
}

} // namespace zelk
