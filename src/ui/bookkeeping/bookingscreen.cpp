#include "bookingscreen.h"

#include "core/verwerkt.h"
#include "databases.h"
#include "toolkit/accountgroup.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "zelkerror.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

BookingScreen::BookingScreen(AppContext &context, const QString &unit, const QString &caption, const QString &helpHeading)
    : TaskScreen(unit, caption), m_ctx(context), m_helpHeading(helpHeading)
{
}

QLayout *BookingScreen::topBar(bool withTitle)
{
    auto *bar = new QHBoxLayout;
    if (withTitle) {
        m_title = new QLabel(this);
        m_title->setObjectName(QStringLiteral("titel"));
        QFont font = m_title->font();
        font.setBold(true);
        font.setPointSize(font.pointSize() + 2);
        m_title->setFont(font);
        bar->addWidget(m_title);
    }
    bar->addStretch();
    auto *close = newButton(QStringLiteral("Sluit venster"), QStringLiteral("sluitvenster"));
    m_help = newButton(QStringLiteral("Help"), QStringLiteral("help"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_ctx.openHelp)
            m_ctx.openHelp(this, m_helpHeading);
    });
    bar->addWidget(close);
    bar->addWidget(m_help);
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

QLabel *BookingScreen::heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

HoverButton *BookingScreen::newButton(const QString &caption, const QString &objectName)
{
    auto *button = new HoverButton(caption, this);
    button->setObjectName(objectName);
    m_buttons << button;
    return button;
}

void BookingScreen::addAccountList(AccountGroup *group)
{
    m_lists << group;
}

void BookingScreen::addFixedLine(QLabel *name, QLabel *balance, int position)
{
    m_lines.append({name, balance, position});
}

void BookingScreen::finishButtons()
{
    resetHoverOnMouseMove(this, m_buttons);
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
    try {
        Transaction transaction(data().database1());
        action();
        transaction.commit();
        return true;
    } catch (const Error &e) {
        // The transaction has been rolled back and the tables reread: show what is stored.
        toonsaldo();
        showError(this, e.message());
        return false;
    } catch (const std::exception &e) {
        toonsaldo();
        showError(this, QString::fromLocal8Bit(e.what()));
        return false;
    }
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
    for (HoverButton *b : std::as_const(m_buttons))
        b->resetColour();
    if (m_title && m_ctx.mainMenu)
        m_title->setText(m_ctx.mainMenu->windowTitle());
    if (m_help)
        m_help->setEnabled(static_cast<bool>(m_ctx.openHelp));
    toonsaldo();
    showLastNumber();
}

} // namespace zelk
