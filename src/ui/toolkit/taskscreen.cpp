#include "taskscreen.h"

#include "appcontext.h"
#include "hoverbutton.h"
#include "messages.h"

#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

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

void TaskScreen::setSteps(const QList<QWidget *> &steps)
{
    m_steps.clear();
    for (QWidget *w : steps)
        m_steps << w;
    QList<QWidget *> order = steps;
    // The frame's buttons come last, whatever the screen's layout put first.
    for (QWidget *frame : {static_cast<QWidget *>(m_close), static_cast<QWidget *>(m_help)})
        if (frame && !order.contains(frame))
            order << frame;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

namespace {
bool takesTab(const QWidget *w)
{
    return w && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden();
}
} // namespace

QWidget *TaskScreen::firstStep() const
{
    for (const QPointer<QWidget> &step : m_steps)
        if (takesTab(step) && step->isVisibleTo(this))
            return step;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (takesTab(w) && isAncestorOf(w) && w->isVisibleTo(this) && !w->focusProxy() && w != m_close && w != m_help)
            return w;
    return m_close;
}

void TaskScreen::focusFirstStep()
{
    // Drawn as the keyboard's focus, so the treasurer sees at once where typing goes.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (QWidget *first = firstStep())
        first->setFocus(Qt::TabFocusReason); // as if tabbed to: a text is selected for typing over
}

void TaskScreen::leaveDateFieldsWithTab()
{
    for (QDateTimeEdit *date : findChildren<QDateTimeEdit *>())
        if (!date->property("zelkTabLeaves").toBool()) {
            date->setProperty("zelkTabLeaves", true);
            date->installEventFilter(this);
        }
}

bool TaskScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        for (HoverButton *b : std::as_const(m_buttons))
            b->resetColour();
    if (event->type() == QEvent::KeyPress && qobject_cast<QDateTimeEdit *>(watched)) {
        // A date field would walk day, month and year with Tab; here Tab goes to the next step.
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            focusNextPrevChild(forward);
            return true;
        }
    }
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

void placeCentred(QWidget *window, const QScreen *screen)
{
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const QSize decoration(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize fitting = window->size().boundedTo(area.size() - decoration).expandedTo(window->minimumSize());
    if (fitting != window->size())
        window->resize(fitting);
    const QSize outer = fitting + decoration;
    window->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void TaskScreen::placeOnScreen()
{
    // On the screen of the window it was opened from (the main menu).
    QWidget *from = m_caller ? m_caller.data() : m_context.mainMenu;
    placeCentred(this, from ? from->screen() : screen());
}

void TaskScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    refreshFrame();
    runGuarded(this, [this] { onShow(); });
    leaveDateFieldsWithTab();
    focusFirstStep();
    placeOnScreen();
}

void TaskScreen::closeEvent(QCloseEvent *event)
{
    runGuarded(this, [this] { onClose(); });
    QWidget::closeEvent(event);
    Q_EMIT closed();
    if (m_caller) {
        m_caller->show();
        m_caller->activateWindow(); // the keyboard goes back to the window it came from
    }
}

void TaskScreen::keyPressEvent(QKeyEvent *event)
{
    // Keys the focused control leaves alone arrive here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        sluitvenster();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event->isAutoRepeat()) {
        auto *button = qobject_cast<QAbstractButton *>(focusWidget());
        const bool presses = button && (!button->isCheckable() || qobject_cast<QRadioButton *>(button));
        if (presses && button->isEnabled() && isAncestorOf(button)) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

} // namespace zelk
