#pragma once
// The pending amount of a booking screen and the rule that enables its "Doorboeken"
// button: the amount is not 0, the required account group (if any) has a choice, and any
// extra condition of the screen holds. The amount is taken when the amount field is left
// or Enter is pressed in it, and when an item of the required group is clicked.
#include <QObject>
#include <functional>

class QPushButton;

namespace zelk {

class AccountGroup;
class AmountField;

class BookingEntry : public QObject {
    Q_OBJECT
public:
    // How a click in the required group takes the amount.
    enum class OnClick {
        ConvertText, // convert the field's text and rewrite it as a plain amount
        FieldValue,  // take the field's value as it is
    };

    BookingEntry(AmountField *amount, QPushButton *button, QObject *parent = nullptr);
    void setRequiredGroup(AccountGroup *group, OnClick onClick);
    void setExtraCondition(std::function<bool()> condition) { m_extra = std::move(condition); }

    double pending() const { return m_pending; }
    void setPending(double amount);
    // Enables or disables the button by the rule above.
    void updateButton();
    // After a booking: pending amount 0, field emptied, button disabled.
    void reset();

private:
    void takeOnClick(int item);
    AmountField *m_amount;
    QPushButton *m_button;
    AccountGroup *m_group = nullptr;
    OnClick m_onClick = OnClick::ConvertText;
    std::function<bool()> m_extra;
    double m_pending = 0;
};

} // namespace zelk
