#include "amountfield.h"

#include "amountformat.h"
#include "calculator.h"
#include "cents.h"
#include "declar.h"
#include "messages.h"

#include <QAction>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyle>
#include <QToolTip>
#include <cmath>

namespace zelk {

namespace {
// Whether more typing could still make `text` an amount: a sign, digits, the decimal
// separator and a power of ten, each perhaps not yet complete ("-", "12.", "1e-").
bool couldBecomeAmount(const QString &text)
{
    QString compact = text;
    compact.remove(QRegularExpression(QStringLiteral("\\s")));
    const QString dec = QRegularExpression::escape(QString(AmountFormat::current().decimal));
    return QRegularExpression(QStringLiteral("^[+-]?\\d*(%1\\d*)?([eE][+-]?\\d*)?$").arg(dec)).match(compact).hasMatch();
}

const QString markedStyle = QStringLiteral("zelk--AmountField { border: 2px solid #d00000; background: #fff0f0; }");
} // namespace

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
    connect(this, &QLineEdit::textEdited, this, [this] {
        // Typing into the field: judged as it goes, a beginning of an amount not yet marked.
        if (!m_editing)
            return;
        updateMark(false);
        if (m_marked && m_taken != 0)
            emitTaken(0);
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

std::optional<double> AmountField::amount() const
{
    const auto parsed = AmountFormat::current().parse(plainText());
    if (!parsed || !cents::isValid(*parsed))
        return std::nullopt;
    return *parsed;
}

QString AmountField::problem() const
{
    const auto parsed = AmountFormat::current().parse(plainText());
    if (!parsed)
        return QStringLiteral("Niet te lezen als bedrag; schrijf bijvoorbeeld %1").arg(AmountFormat::current().plain(12.5));
    if (!cents::isValid(*parsed))
        return cents::invalidMessage(*parsed);
    return {};
}

QString AmountField::refusalMessage() const
{
    const auto parsed = AmountFormat::current().parse(plainText());
    if (parsed)
        return cents::invalidMessage(*parsed);
    const AmountFormat &format = AmountFormat::current();
    return QStringLiteral("\"%1\" is niet te lezen als bedrag. Schrijf een bedrag met %2 voor de centen, zonder scheidingsteken "
                          "voor de duizendtallen en zonder valutateken, bijvoorbeeld %3. Er wordt niets geboekt zolang het "
                          "bedrag niet te lezen is.")
        .arg(plainText().trimmed(), format.isDutch() ? QStringLiteral("een komma") : QStringLiteral("een punt"), format.plain(1250));
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
    updateMark(true);
    m_taken = amount().value_or(0.0);
}

void AmountField::showPlain()
{
    setText(m_plain);
}

void AmountField::showDisplay()
{
    // A text that is no amount, or none that can be booked, stays as typed (and marked).
    const auto amount = AmountFormat::current().parse(m_plain);
    const bool shown = !m_plain.trimmed().isEmpty() && amount && cents::isValid(*amount);
    setText(shown ? AmountFormat::current().display(*amount) : m_plain);
}

void AmountField::updateMark(bool finished)
{
    const bool marked = !isUnderstood() && (finished || !couldBecomeAmount(plainText()));
    setToolTip(marked ? problem() : QString());
    if (marked == m_marked)
        return;
    m_marked = marked;
    setStyleSheet(marked ? markedStyle : QString());
}

void AmountField::emitTaken(double amount)
{
    m_taken = amount;
    Q_EMIT amountTaken(amount);
}

void AmountField::take()
{
    if (m_editing)
        m_plain = text();
    // The field shows two decimals; the amount taken is the amount shown.
    const auto parsed = AmountFormat::current().parse(m_plain);
    double amount = 0;
    if (parsed && !cents::isValid(*parsed)) {
        // Refused, and said so: the text stays as typed and nothing is pending.
        refuse(cents::invalidMessage(*parsed));
    } else if (parsed && !m_plain.trimmed().isEmpty()) {
        amount = cents::rounded(*parsed);
        m_plain = AmountFormat::current().plain(amount);
    }
    if (m_editing)
        showPlain();
    else
        showDisplay();
    updateMark(true);
    if (!parsed && isVisible()) // the tooltip says it at once, beside the field
        QToolTip::showText(mapToGlobal(QPoint(0, height())), problem(), this);
    emitTaken(amount);
}

void AmountField::refuse(const QString &message)
{
    updateMark(true);
    // One box for one refusal: leaving the field and the click that left it both refuse.
    for (const auto *box : findChildren<QMessageBox *>(QStringLiteral("foutmelding"), Qt::FindDirectChildrenOnly))
        if (box->isVisible() && box->text() == message)
            return;
    showError(this, message);
}

std::optional<double> AmountField::convertText()
{
    const auto typed = amount();
    if (!typed) {
        refuse(refusalMessage());
        return std::nullopt;
    }
    const double taken = cents::rounded(*typed);
    setValue(taken);
    return taken;
}

std::optional<double> AmountField::checkedValue()
{
    if (!isUnderstood()) {
        refuse(refusalMessage());
        return std::nullopt;
    }
    m_taken = value();
    return m_taken;
}

void AmountField::explainRefusalOn(QWidget *button)
{
    m_refusedButton = button;
    button->installEventFilter(this);
}

bool AmountField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_refusedButton && event->type() == QEvent::MouseButtonRelease && !m_refusedButton->isEnabled() && !isUnderstood()) {
        refuse(refusalMessage());
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
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
