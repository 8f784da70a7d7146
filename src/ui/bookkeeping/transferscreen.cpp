#include "transferscreen.h"

#include "bookingentry.h"
#include "databases.h"
#include "declar.h"
#include "rekeningschema.h"
#include "toolkit/amountfield.h"
#include "toolkit/datepicker.h"
#include "toolkit/hoverbutton.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelk {

QList<AccountItem> financialItems(bool capitalised)
{
    if (capitalised)
        return {{QStringLiteral("Bank 1"), 1}, {QStringLiteral("Bank 2"), 2}, {QStringLiteral("Bank 3"), 3}, {QStringLiteral("Kas 1"), 4},
                {QStringLiteral("Kas 2"), 5},  {QStringLiteral("Kas 3"), 36}, {QStringLiteral("Kas 4"), 37}};
    return {{QStringLiteral("Bank 1"), 1}, {QStringLiteral("bank 2"), 2}, {QStringLiteral("bank 3"), 3}, {QStringLiteral("kas 1"), 4},
            {QStringLiteral("kas 2"), 5},  {QStringLiteral("kas 3"), 36}, {QStringLiteral("kas 4"), 37}};
}

TransferScreen::TransferScreen(AppContext &context, const TransferDeclaration &declaration)
    : BookingScreen(context, declaration.unit, declaration.caption, declaration.helpHeading), m_decl(declaration)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topBar(true));

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(panel);
    grid->addWidget(heading(QStringLiteral("Datum")), 0, 0);
    grid->addWidget(heading(QStringLiteral("Omschrijving")), 0, 1);
    grid->addWidget(heading(QStringLiteral("Bedrag")), 0, 2);
    m_date = new DatePicker(panel);
    m_date->setObjectName(QStringLiteral("datum"));
    m_description = new QLineEdit(m_decl.initialDescription, panel);
    m_description->setObjectName(QStringLiteral("omschrijving"));
    m_description->setMinimumWidth(220);
    m_amount = new AmountField(panel);
    m_amount->setObjectName(QStringLiteral("bedrag"));
    grid->addWidget(m_date, 1, 0);
    grid->addWidget(m_description, 1, 1);
    grid->addWidget(m_amount, 1, 2);
    m_from = new AccountGroup(m_decl.from.caption, m_decl.from.items, false, panel);
    m_from->setObjectName(QStringLiteral("vanrekening"));
    m_to = new AccountGroup(m_decl.to.caption, m_decl.to.items, true, panel);
    m_to->setObjectName(QStringLiteral("naarrekening"));
    grid->addWidget(heading(QStringLiteral("Van rekening")), 2, 0, 1, 3);
    grid->addWidget(m_from, 3, 0, 1, 3);
    grid->addWidget(heading(QStringLiteral("Naar rekening")), 4, 0, 1, 3);
    grid->addWidget(m_to, 5, 0, 1, 3);
    m_from->choose(0);

    m_doorboeken = newButton(QStringLiteral("Doorboeken"), QStringLiteral("doorboeken"));
    auto *side = new QVBoxLayout;
    side->addWidget(stepsLabel(m_decl.steps));
    side->addSpacing(12);
    side->addWidget(m_doorboeken);
    side->addStretch();
    side->addWidget(lastNumberBox());

    auto *body = new QHBoxLayout;
    body->addWidget(panel, 1);
    body->addLayout(side);
    layout->addLayout(body);

    addAccountList(m_from);
    addAccountList(m_to);
    m_entry = new BookingEntry(m_amount, m_doorboeken, this);
    m_entry->setRequiredGroup(m_to, BookingEntry::OnClick::ConvertText);
    connect(m_doorboeken, &QPushButton::clicked, this, &TransferScreen::doorboeken);
    setTabOrder(m_decl.toGroupFirstInTabOrder);
    finishButtons();
}

double TransferScreen::pendingAmount() const
{
    return m_entry->pending();
}

void TransferScreen::setTabOrder(bool toGroupFirst)
{
    auto groupChain = [](AccountGroup *g) {
        QList<QWidget *> chain;
        for (int i = 0; i < g->count(); ++i)
            chain << g->button(i);
        return chain;
    };
    QList<QWidget *> order;
    if (toGroupFirst)
        order << groupChain(m_to) << m_date << m_description << groupChain(m_from) << m_amount;
    else
        order << m_date << m_description << m_amount << groupChain(m_from) << groupChain(m_to);
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TransferScreen::onShow()
{
    BookingScreen::onShow();
    m_to->clearChoice();
    m_entry->updateButton();
}

void TransferScreen::doorboeken()
{
    const int from = m_from->chosenPosition();
    const int to = m_to->chosenPosition();
    const double amount = m_entry->pending();
    if (amount != 0 && from > 0 && to > 0) {
        const QString description = m_description->text();
        const QDate date = m_date->date();
        const bool ok = book([&] {
            declar::boekpost(data(), from, to, description, date, amount);
            if (to == rekeningschema::nogTeOntvangen)
                declar::nieuwteontvangen(data(), description, date, amount);
            if (from == rekeningschema::nogTeBetalen)
                declar::nieuwtebetalen(data(), description, date, amount);
        });
        if (ok) {
            m_entry->reset();
            if (!m_decl.keepDescription)
                m_description->clear();
            booked();
        }
    }
    // The marker "<" stays where it was.
    m_to->clearChoice();
    m_entry->updateButton();
}

} // namespace zelk
