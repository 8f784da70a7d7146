#include "datepicker.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace zelk {

DatePicker::DatePicker(QWidget *parent) : QDateEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    // The drop-down calendar names its months and days in Dutch, whatever the system's language.
    calendarWidget()->setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    lineEdit()->installEventFilter(this);
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    // Left to itself the line edit only places its cursor on a click; digits typed at a
    // cursor inside a part make a number the part cannot hold, and the spin box drops them.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) {
        const auto *click = static_cast<QMouseEvent *>(event);
        if (click->button() == Qt::LeftButton && click->modifiers() == Qt::NoModifier && isEnabled() && !isReadOnly()) {
            selectClickedSection(click->position().toPoint());
            return true;
        }
    }
    return QDateEdit::eventFilter(watched, event);
}

void DatePicker::selectClickedSection(const QPoint &at)
{
    QLineEdit *edit = lineEdit();
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    edit->setCursorPosition(edit->cursorPositionAt(at));
    const bool besideTheDate
        = edit->cursorPosition() >= edit->text().size() && at.x() > edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().right();
    setSelectedSection(besideTheDate ? DaySection : currentSection());
    m_partClosedByDigits = false;
}

void DatePicker::focusInEvent(QFocusEvent *event)
{
    m_partClosedByDigits = false;
    QDateEdit::focusInEvent(event);
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool separator = typed.size() == 1 && QStringLiteral("-/. ").contains(typed.front());
    if (separator) {
        // The spin box knows only its own "-", and moves on a part for it even when the
        // digits before it moved on already (then "15-03" would put 03 in the year).
        const bool skip = m_partClosedByDigits;
        m_partClosedByDigits = false;
        if (!skip) {
            QKeyEvent dash(event->type(), Qt::Key_Minus, event->modifiers(), QStringLiteral("-"));
            QDateEdit::keyPressEvent(&dash);
        }
        event->accept();
        return;
    }
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    m_partClosedByDigits = typed.size() == 1 && typed.front().isDigit() && currentSection() != before;
}

} // namespace zelk
