#include "calculator.h"

#include "amountformat.h"
#include "declar.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace zelk {

Calculator::Calculator(QWidget *parent) : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("rekenmachine"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    m_display = new QLineEdit(this);
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    auto *grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->addWidget(m_display, 0, 0, 1, 4);
    const QString dec(AmountFormat::current().decimal);
    const QStringList keys
        = {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("/"), QStringLiteral("4"), QStringLiteral("5"),
           QStringLiteral("6"), QStringLiteral("*"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("-"),
           QStringLiteral("0"), QStringLiteral("."), QStringLiteral("C"), QStringLiteral("+")};
    for (int i = 0; i < keys.size(); ++i) {
        auto *button = new QPushButton(keys[i], this);
        button->setFixedSize(32, 26);
        button->setFocusPolicy(Qt::NoFocus);
        // The decimal key always follows the current amount format.
        connect(button, &QPushButton::clicked, this,
                [this, key = keys[i]] { press(key == QLatin1String(".") ? QString(AmountFormat::current().decimal) : key); });
        grid->addWidget(button, 1 + i / 4, i % 4);
    }
    auto *equals = new QPushButton(QStringLiteral("="), this);
    equals->setFocusPolicy(Qt::NoFocus);
    connect(equals, &QPushButton::clicked, this, [this] { press(QStringLiteral("=")); });
    grid->addWidget(equals, 5, 0, 1, 4);
}

void Calculator::start(double value)
{
    m_accumulator = 0;
    m_operation.clear();
    m_fresh = true;
    m_display->setText(AmountFormat::current().plain(value));
}

double Calculator::result() const
{
    return declar::tekstnaarbedrag(m_display->text());
}

void Calculator::applyPending()
{
    const double operand = result();
    if (m_operation == QLatin1String("+"))
        m_accumulator += operand;
    else if (m_operation == QLatin1String("-"))
        m_accumulator -= operand;
    else if (m_operation == QLatin1String("*"))
        m_accumulator *= operand;
    else if (m_operation == QLatin1String("/"))
        m_accumulator = operand == 0 ? 0 : m_accumulator / operand;
    else
        m_accumulator = operand;
    m_display->setText(AmountFormat::current().plain(m_accumulator));
}

void Calculator::press(const QString &key)
{
    const QChar dec = AmountFormat::current().decimal;
    if (key == QLatin1String("C")) {
        start(0);
    } else if (key.size() == 1 && (key[0].isDigit() || key[0] == dec)) {
        QString text = m_fresh ? QString() : m_display->text();
        if (key[0] == dec && text.contains(dec))
            return;
        m_display->setText(text + key);
        m_fresh = false;
    } else if (key == QLatin1String("=")) {
        applyPending();
        m_operation.clear();
        m_fresh = true;
        Q_EMIT finished(m_accumulator);
    } else {
        applyPending();
        m_operation = key;
        m_fresh = true;
    }
}

void Calculator::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        press(QStringLiteral("="));
    else if (event->key() == Qt::Key_Escape)
        close();
    else if (!event->text().isEmpty())
        press(event->text() == QLatin1String(".") || event->text() == QLatin1String(",") ? QString(AmountFormat::current().decimal)
                                                                                         : event->text());
    else
        QFrame::keyPressEvent(event);
}

} // namespace zelk
