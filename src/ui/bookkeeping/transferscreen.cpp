#include "transferscreen.h"

#include "boekingen.h"
#include "bookingentry.h"
#include "databases.h"
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
        return accountItems(rekeningschema::financieel(),
                            {QStringLiteral("Bank 1"), QStringLiteral("Bank 2"), QStringLiteral("Bank 3"), QStringLiteral("Kas 1"),
                             QStringLiteral("Kas 2"), QStringLiteral("Kas 3"), QStringLiteral("Kas 4")});
    return accountItems(rekeningschema::financieel(),
                        {QStringLiteral("Bank 1"), QStringLiteral("bank 2"), QStringLiteral("bank 3"), QStringLiteral("kas 1"),
                         QStringLiteral("kas 2"), QStringLiteral("kas 3"), QStringLiteral("kas 4")});
}

TransferScreen::TransferScreen(AppContext &context, const TransferDeclaration &declaration)
    : EntryScreen(context, declaration.unit, declaration.caption, declaration.helpHeading), m_decl(declaration)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topBar(true));

    QGridLayout *grid = nullptr;
    QFrame *panel = newEntryPanel(grid, m_decl.initialDescription);
    m_from = new AccountGroup(m_decl.from.caption, m_decl.from.items, false, panel);
    m_from->setObjectName(QStringLiteral("vanrekening"));
    m_to = new AccountGroup(m_decl.to.caption, m_decl.to.items, true, panel);
    m_to->setObjectName(QStringLiteral("naarrekening"));
    grid->addLayout(sideBySide(m_from, m_to), 2, 0, 1, 3);
    m_from->choose(0);

    addBody(layout, panel, m_decl.steps);

    addAccountList(m_from);
    addAccountList(m_to);
    m_entry = new BookingEntry(m_amount, m_doorboeken, this);
    m_entry->setRequiredGroup(m_to, BookingEntry::OnClick::ConvertText);
    connect(m_doorboeken, &QPushButton::clicked, this, &TransferScreen::doorboeken);
    // The steps: date, description, amount, from-account, to-account, "Doorboeken".
    setSteps(entrySteps() << groupSteps(m_from) << groupSteps(m_to) << m_doorboeken);
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
        const boekingen::Boeking boeking{m_description->text(), m_date->date(), amount};
        const bool ok = book([&] { m_decl.boek(data(), from, to, boeking); });
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
    focusFirstStep(); // the next booking starts at the date
}

} // namespace zelk
