#include "taskscreen.h"

#include "appcontext.h"
#include "hoverbutton.h"
#include "messages.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

namespace zelk {

TaskScreen::TaskScreen(AppContext &context, const QString &unitName, const QString &caption, const QString &helpHeading, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context), m_helpHeading(helpHeading)
{
    setObjectName(unitName);
    setWindowTitle(caption);
    setMouseTracking(true);
    installEventFilter(this);
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

HoverButton *TaskScreen::button(const QString &caption) const
{
    for (HoverButton *b : m_buttons)
        if (b->text() == caption)
            return b;
    return nullptr;
}

HoverButton *TaskScreen::addButton(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *b = new HoverButton(caption, parent ? parent : this);
    b->setObjectName(objectName.isEmpty() ? caption : objectName);
    m_buttons << b;
    return b;
}

HoverButton *TaskScreen::addUnitButton(const QString &caption, const QString &unit, QWidget *parent)
{
    HoverButton *b = addButton(caption, {}, parent);
    m_unitButtons.append({b, unit});
    connect(b, &QPushButton::clicked, this, [this, unit] {
        if (const auto action = m_context.actions.value(unit))
            action(this);
    });
    return b;
}

HoverButton *TaskScreen::closeButton()
{
    if (!m_close) {
        m_close = addButton(QStringLiteral("Sluit venster"), QStringLiteral("sluitvenster"));
        connect(m_close, &QPushButton::clicked, this, [this] { sluitvenster(); });
    }
    return m_close;
}

HoverButton *TaskScreen::helpButton()
{
    if (!m_help) {
        m_help = addButton(QStringLiteral("Help"), QStringLiteral("help"));
        connect(m_help, &QPushButton::clicked, this, [this] {
            if (m_context.openHelp)
                m_context.openHelp(this, m_helpHeading);
        });
    }
    return m_help;
}

QLabel *TaskScreen::titleLabel()
{
    if (!m_title) {
        m_title = new QLabel(this);
        m_title->setObjectName(QStringLiteral("titel"));
        QFont font = m_title->font();
        font.setBold(true);
        font.setPointSize(font.pointSize() + 2);
        m_title->setFont(font);
    }
    return m_title;
}

void TaskScreen::resetHoverOver(QWidget *area)
{
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

bool TaskScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        for (HoverButton *b : std::as_const(m_buttons))
            b->resetColour();
    return QWidget::eventFilter(watched, event);
}

void TaskScreen::sluitvenster()
{
    close();
}

void TaskScreen::refreshFrame()
{
    for (HoverButton *b : std::as_const(m_buttons))
        b->resetColour();
    if (m_title && m_context.mainMenu)
        m_title->setText(m_context.mainMenu->windowTitle());
    if (m_help)
        m_help->setEnabled(static_cast<bool>(m_context.openHelp));
    // A button whose report or screen this version does not have rests disabled.
    for (const auto &[b, unit] : std::as_const(m_unitButtons))
        b->setEnabled(m_context.actions.contains(unit));
}

void TaskScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    refreshFrame();
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

void TaskScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        sluitvenster();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zelk
