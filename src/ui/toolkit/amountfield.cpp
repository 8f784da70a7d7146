#include "amountfield.h"

#include "amountformat.h"
#include "calculator.h"
#include "cents.h"
#include "declar.h"
#include "messages.h"

#include <QAction>
#include <QKeyEvent>
#include <QStyle>
#include <cmath>

namespace zelk {

AmountField::AmountField(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight);
    setMinimumWidth(120);
    QAction *drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    drop->setObjectName(QStringLiteral("rekenmachineknop"));
    drop->setToolTip(QStringLiteral("Rekenmachine"));
    connect(drop, &QAction::triggered, this, &AmountField::openCalculator);
    m_calculator = new Calculator(this);
    connect(m_calculator, &Calculator::finished, this, [this](double result) {
        m_calculator->close();
        setValue(result);
        take();
    });
}

QString AmountField::plainText() const
{
    return m_editing ? text() : m_plain;
}

double AmountField::value() const
{
    const double amount = declar::tekstnaarbedrag(plainText());
    return cents::isValid(amount) ? amount : 0.0;
}

void AmountField::setValue(double amount)
{
    setPlainText(AmountFormat::current().plain(amount));
}

void AmountField::setPlainText(const QString &text)
{
    m_plain = text;
    if (m_editing)
        showPlain();
    else
        showDisplay();
}

void AmountField::showPlain()
{
    setText(m_plain);
}

void AmountField::showDisplay()
{
    // A text that is no amount, or none that can be booked, stays as typed, so the user
    // sees what will be read as 0.
    const auto amount = AmountFormat::current().parse(m_plain);
    const bool shown = !m_plain.trimmed().isEmpty() && amount && cents::isValid(*amount);
    setText(shown ? AmountFormat::current().display(*amount) : m_plain);
}

void AmountField::take()
{
    if (m_editing)
        m_plain = text();
    // The field shows two decimals; the amount taken is the amount shown.
    const auto parsed = AmountFormat::current().parse(QString(m_plain).remove(u' '));
    double amount = 0;
    if (parsed && !cents::isValid(*parsed)) {
        // Refused, and said so: the text stays as typed and nothing is pending.
        showError(this, cents::invalidMessage(*parsed));
    } else if (parsed && !m_plain.trimmed().isEmpty()) {
        amount = cents::rounded(*parsed);
        m_plain = AmountFormat::current().plain(amount);
    }
    if (m_editing)
        showPlain();
    else
        showDisplay();
    Q_EMIT amountTaken(amount);
}

void AmountField::openCalculator()
{
    m_calculator->start(value());
    m_calculator->adjustSize();
    m_calculator->move(mapToGlobal(QPoint(width() - m_calculator->width(), height())));
    m_calculator->show();
    m_calculator->setFocus();
}

void AmountField::focusInEvent(QFocusEvent *event)
{
    if (!m_editing) {
        m_editing = true;
        showPlain();
    }
    QLineEdit::focusInEvent(event);
}

void AmountField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Opening the calculator is no leaving of the field.
    if (event->reason() == Qt::PopupFocusReason || !m_editing)
        return;
    m_plain = text();
    m_editing = false;
    take();
}

void AmountField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        take();
        return;
    }
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier)) {
        openCalculator();
        return;
    }
    const bool edits = !event->text().isEmpty() || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    if (!m_editing && edits) {
        // Typing without having received the focus still edits the plain text.
        m_editing = true;
        showPlain();
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace zelk
