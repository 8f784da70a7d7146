#pragma once
// "Invoer start balans": starting amounts booked against the equity account. The left half
// books the balances of the bank and cash accounts, the right half open payables and
// receivables, which are recorded as open items as well. Each half has its own fields,
// pending amount and "Doorboeken".
#include "bookingscreen.h"

class QLineEdit;
class QPushButton;

namespace zelk {

class AccountGroup;
class AmountField;
class BookingEntry;
class DatePicker;

class invoerstartbalans : public BookingScreen {
    Q_OBJECT
public:
    explicit invoerstartbalans(AppContext &context);

    struct Half {
        DatePicker *date = nullptr;
        QLineEdit *description = nullptr;
        AmountField *amount = nullptr;
        AccountGroup *group = nullptr;
        QLabel *equity = nullptr; // the balance of the equity account
        QPushButton *doorboeken = nullptr;
        BookingEntry *entry = nullptr;
    };
    const Half &left() const { return m_left; }
    const Half &right() const { return m_right; }

    void doorboekenLeft();
    void doorboekenRight();

private:
    QWidget *buildHalf(Half &half, const QString &title, const QString &groupCaption, const QStringList &steps, const QString &description,
                       const QString &name);
    void finishBooking(Half &half);

    Half m_left;
    Half m_right;
};

} // namespace zelk
