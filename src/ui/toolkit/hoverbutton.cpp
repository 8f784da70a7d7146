#include "hoverbutton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

namespace zelk {

HoverButton::HoverButton(const QString &caption, QWidget *parent, QColor restColour, bool highlights)
    : QPushButton(caption, parent), m_rest(restColour), m_highlights(highlights)
{
    setCaptionColour(m_rest);
}

QColor HoverButton::captionColour() const
{
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

void HoverButton::resetColour()
{
    setCaptionColour(m_rest);
}

void HoverButton::enterEvent(QEnterEvent *event)
{
    if (m_highlights)
        setCaptionColour(Qt::red);
    QPushButton::enterEvent(event);
}

void HoverButton::keyPressEvent(QKeyEvent *event)
{
    // Outside a dialog a push button takes only Space; here Return presses it as well.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void HoverButton::setCaptionColour(const QColor &colour)
{
    // Only the enabled looks: a disabled button keeps the style's grey caption.
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::ButtonText, colour);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    setPalette(pal);
}

namespace {
class HoverResetFilter : public QObject {
public:
    HoverResetFilter(QWidget *area, QList<HoverButton *> buttons) : QObject(area)
    {
        for (HoverButton *b : buttons)
            m_buttons.append(b);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            for (const auto &b : std::as_const(m_buttons))
                if (b)
                    b->resetColour();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QPointer<HoverButton>> m_buttons;
};
} // namespace

void resetHoverOnMouseMove(QWidget *area, QList<HoverButton *> buttons)
{
    area->setMouseTracking(true);
    area->installEventFilter(new HoverResetFilter(area, std::move(buttons)));
}

} // namespace zelk
