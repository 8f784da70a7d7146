#include "bookingentry.h"

#include "cents.h"
#include "declar.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/messages.h"

#include <QPushButton>

namespace zelk {

BookingEntry::BookingEntry(AmountField *amount, QPushButton *button, QObject *parent) : QObject(parent), m_amount(amount), m_button(button)
{
    m_button->setEnabled(false);
    connect(m_amount, &AmountField::amountTaken, this, &BookingEntry::setPending);
}

void BookingEntry::setRequiredGroup(AccountGroup *group, OnClick onClick)
{
    m_group = group;
    m_onClick = onClick;
    connect(group, &AccountGroup::itemClicked, this, &BookingEntry::takeOnClick);
}

void BookingEntry::setPending(double amount)
{
    m_pending = amount;
    updateButton();
}

void BookingEntry::takeOnClick(int item)
{
    if (m_onClick == OnClick::ConvertText) {
        const double typed = declar::tekstnaarbedrag(m_amount->plainText());
        if (cents::isValid(typed)) {
            m_pending = cents::rounded(typed);
            m_amount->setValue(m_pending);
        } else {
            m_pending = 0;
            showError(m_amount, cents::invalidMessage(typed));
        }
    } else {
        m_pending = m_amount->value();
    }
    m_group->showMarkerAt(item);
    updateButton();
}

void BookingEntry::updateButton()
{
    const bool chosen = !m_group || m_group->chosen() >= 0;
    m_button->setEnabled(m_pending != 0 && chosen && (!m_extra || m_extra()));
}

void BookingEntry::reset()
{
    m_pending = 0;
    m_amount->clearAmount();
    m_button->setEnabled(false);
}

} // namespace zelk
