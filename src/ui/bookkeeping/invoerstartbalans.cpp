#include "invoerstartbalans.h"

#include "boekingen.h"
#include "bookingentry.h"
#include "databases.h"
#include "rekeningschema.h"
#include "store/velden.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/datepicker.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/textlimit.h"
#include "transferscreen.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelk {

using rekeningschema::eigenVermogen;

invoerstartbalans::invoerstartbalans(AppContext &context)
    : BookingScreen(context, QStringLiteral("invoerstartbalans"), QStringLiteral("Invoer start balans"),
                    QStringLiteral("3. INVOER STARTBALANS"))
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topBar(false));
    auto *halves = new QHBoxLayout;
    halves->addWidget(buildHalf(m_left, QStringLiteral("INVOER FINANCIELE REKENINGEN"), QStringLiteral("  Financiele rekeningen  "),
                                {QStringLiteral("1. Kies de juiste datum"), QStringLiteral("2. Pas eventueel de omschrijving aan"),
                                 QStringLiteral("3. Vul het bedrag in"), QStringLiteral("4. Klik je juiste rekening aan"),
                                 QStringLiteral("5. Klik op doorboeken")},
                                QStringLiteral("Beginbalans"), QStringLiteral("links")));
    halves->addWidget(buildHalf(
        m_right, QStringLiteral("INVOER NOG TE BETALEN/ONTVANGEN"), QStringLiteral("  Te betalen/te ontvangen rekeningen  "),
        {QStringLiteral("1. Kies de juiste datum"), QStringLiteral("2. Pas de omschrijving aan"), QStringLiteral("3. Vul het bedrag in"),
         QStringLiteral("4. Klik je juiste rekening aan"), QStringLiteral("5. Klik op doorboeken")},
        QString(), QStringLiteral("rechts")));
    layout->addLayout(halves);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(lastNumberBox());
    layout->addLayout(bottom);
    connect(m_left.doorboeken, &QPushButton::clicked, this, &invoerstartbalans::doorboekenLeft);
    connect(m_right.doorboeken, &QPushButton::clicked, this, &invoerstartbalans::doorboekenRight);
    // The steps of the left half, then those of the right half.
    QList<QWidget *> steps;
    for (const Half *half : {&m_left, &m_right})
        steps << half->date << half->description << half->amount << groupSteps(half->group) << half->doorboeken;
    setSteps(steps);
}

QWidget *invoerstartbalans::buildHalf(Half &half, const QString &title, const QString &groupCaption, const QStringList &steps,
                                      const QString &description, const QString &name)
{
    const bool financial = &half == &m_left;
    auto *box = new QFrame(this);
    box->setObjectName(name);
    box->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(box);
    grid->addWidget(heading(title), 0, 0, 1, 3);
    auto *equityName = new QLabel(QStringLiteral("Eigen vermogen"), box);
    half.equity = new QLabel(box);
    half.equity->setObjectName(QStringLiteral("eigenvermogen"));
    half.equity->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    half.equity->setFrameShape(QFrame::Panel);
    half.equity->setFrameShadow(QFrame::Sunken);
    grid->addWidget(equityName, 1, 0);
    grid->addWidget(half.equity, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Er wordt geboekt t.o.v. het eigen vermogen"), box), 2, 0, 1, 3);

    half.date = new DatePicker(box);
    half.date->setObjectName(QStringLiteral("datum"));
    half.description = new QLineEdit(description, box);
    half.description->setObjectName(QStringLiteral("omschrijving"));
    limitToField(half.description, schemas::journaal(), veld::journaal::Omschrijving);
    half.description->setMinimumWidth(200);
    half.amount = new AmountField(box);
    half.amount->setObjectName(QStringLiteral("bedrag"));
    grid->addWidget(half.date, 3, 0);
    grid->addWidget(half.description, 3, 1);
    grid->addWidget(half.amount, 3, 2);

    const QList<AccountItem> items = financial ? financialItems(true)
                                               : QList<AccountItem>{{QStringLiteral("Nog te betalen"), rekeningschema::nogTeBetalen},
                                                                    {QStringLiteral("Nog te ontvangen"), rekeningschema::nogTeOntvangen}};
    half.group = new AccountGroup(groupCaption, items, false, box);
    half.group->setObjectName(QStringLiteral("rekeningen"));
    half.group->choose(0);
    grid->addWidget(half.group, 4, 0, 1, 2, Qt::AlignTop);
    half.doorboeken = addButton(QStringLiteral("Doorboeken"), QStringLiteral("doorboeken"));
    auto *side = new QVBoxLayout;
    side->addWidget(stepsLabel(steps));
    side->addSpacing(12);
    side->addWidget(half.doorboeken);
    side->addStretch();
    grid->addLayout(side, 4, 2);
    grid->setRowStretch(5, 1);

    half.entry = new BookingEntry(half.amount, half.doorboeken, this);
    addAccountList(half.group);
    addFixedLine(nullptr, half.equity, eigenVermogen);
    return box;
}

void invoerstartbalans::finishBooking(Half &half)
{
    half.entry->reset();
    booked();
    half.date->setFocus(Qt::TabFocusReason); // the half's next booking starts at its date
}

void invoerstartbalans::doorboekenLeft()
{
    const double amount = m_left.entry->pending();
    const int to = m_left.group->chosenPosition();
    if (amount == 0 || to == 0)
        return;
    const boekingen::Boeking boeking{m_left.description->text(), m_left.date->date(), amount};
    if (book([&] { boekingen::startbalansGeld(data(), to, boeking); }))
        finishBooking(m_left);
}

void invoerstartbalans::doorboekenRight()
{
    const double amount = m_right.entry->pending();
    const int position = m_right.group->chosenPosition();
    if (amount == 0 || position == 0)
        return;
    const boekingen::Boeking boeking{m_right.description->text(), m_right.date->date(), amount};
    const bool ok = book([&] { boekingen::startbalansOpenPost(data(), position, boeking); });
    if (ok)
        finishBooking(m_right);
}

} // namespace zelk
