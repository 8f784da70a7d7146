#include "bookingentry.h"

#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"

#include <QPushButton>

namespace zelk {

BookingEntry::BookingEntry(AmountField *amount, QPushButton *button, QObject *parent) : QObject(parent), m_amount(amount), m_button(button)
{
    m_button->setEnabled(false);
    m_amount->explainRefusalOn(m_button);
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
    // A text that is no amount is never taken as 0: it stays as typed and the field says why.
    const auto taken = m_onClick == OnClick::ConvertText ? m_amount->convertText() : m_amount->checkedValue();
    m_pending = taken.value_or(0.0);
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
