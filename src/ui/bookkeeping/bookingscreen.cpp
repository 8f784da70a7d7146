#include "bookingscreen.h"

#include "databases.h"
#include "toolkit/accountgroup.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/verwerkt.h"
#include "zelkerror.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelk {

BookingScreen::BookingScreen(AppContext &context, const QString &unit, const QString &caption, const QString &helpHeading)
    : TaskScreen(context, unit, caption, helpHeading), m_ctx(context)
{
}

QLayout *BookingScreen::topBar(bool withTitle)
{
    auto *bar = new QHBoxLayout;
    if (withTitle)
        bar->addWidget(titleLabel());
    bar->addStretch();
    bar->addWidget(closeButton());
    bar->addWidget(helpButton());
    return bar;
}

QWidget *BookingScreen::lastNumberBox()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading(QStringLiteral("LAATSTE BOEKSTUKNR.")));
    m_lastNumber = new QLabel(QStringLiteral("0"), box);
    m_lastNumber->setObjectName(QStringLiteral("laatstenummer"));
    m_lastNumber->setFrameShape(QFrame::Panel);
    m_lastNumber->setFrameShadow(QFrame::Sunken);
    m_lastNumber->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_lastNumber);
    return box;
}

QLabel *BookingScreen::stepsLabel(const QStringList &steps)
{
    auto *label = new QLabel(steps.join(u'\n'));
    label->setObjectName(QStringLiteral("stappen"));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(pal);
    return label;
}

QList<QWidget *> BookingScreen::groupSteps(const AccountGroup *group)
{
    QList<QWidget *> buttons;
    for (int i = 0; i < group->count(); ++i)
        buttons << group->button(i);
    return buttons;
}

QLabel *BookingScreen::heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void BookingScreen::addAccountList(AccountGroup *group)
{
    m_lists << group;
}

void BookingScreen::addFixedLine(QLabel *name, QLabel *balance, int position)
{
    m_lines.append({name, balance, position});
}

void BookingScreen::toonsaldo()
{
    const Table &accounts = data().rekeningtabel;
    if (!accounts.isOpen())
        return;
    for (AccountGroup *group : std::as_const(m_lists))
        group->fill(accounts);
    for (const FixedLine &line : std::as_const(m_lines)) {
        if (line.position > accounts.recordCount())
            continue;
        if (line.name)
            line.name->setText(accountName(accounts, line.position));
        showBalance(line.balance, accountBalance(accounts, line.position));
    }
}

void BookingScreen::showLastNumber()
{
    if (m_lastNumber && data().journaaltabel.isOpen())
        m_lastNumber->setText(QString::number(data().lastJournalNumber()));
}

bool BookingScreen::book(const std::function<void()> &action)
{
    // The engine's booking actions are transactions of their own: a failure leaves nothing.
    const bool booked = attempt(this, action);
    if (!booked)
        toonsaldo(); // rolled back and reread: show what is stored
    return booked;
}

void BookingScreen::booked()
{
    toonsaldo();
    showLastNumber();
    if (m_ctx.notice)
        m_ctx.notice->showNotice();
}

void BookingScreen::onShow()
{
    toonsaldo();
    showLastNumber();
}

} // namespace zelk
