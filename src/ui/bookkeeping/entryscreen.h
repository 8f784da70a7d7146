#pragma once
// A booking screen that books one amount at a time: the framed panel with date,
// description and amount over the account groups, and beside it the numbered steps,
// "Doorboeken" and the last journal number. The screens differ in their groups and in
// what "Doorboeken" books.
#include "bookingscreen.h"

class QFrame;
class QGridLayout;
class QLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace zelk {

class AmountField;
class BookingEntry;
class DatePicker;

class EntryScreen : public BookingScreen {
    Q_OBJECT
public:
    DatePicker *datePicker() const { return m_date; }
    QLineEdit *descriptionField() const { return m_description; }
    AmountField *amountField() const { return m_amount; }
    QPushButton *doorboekenButton() const { return m_doorboeken; }
    double pendingAmount() const;

    // "Doorboeken".
    virtual void doorboeken() = 0;

protected:
    using BookingScreen::BookingScreen;

    // The framed panel with "Datum", "Omschrijving" and "Bedrag" over their fields in
    // rows 0 and 1 of `grid`; the screen adds its groups below them.
    QFrame *newEntryPanel(QGridLayout *&grid, const QString &initialDescription = {});
    // "Van rekening" over `from` beside "Naar rekening" over `to`, for row 2 of the panel:
    // side by side, so that long account lists keep the screen low enough for a laptop.
    QLayout *sideBySide(QWidget *from, QWidget *to);
    // The panel and, beside it, the steps, "Doorboeken" and the last journal number.
    void addBody(QVBoxLayout *layout, QWidget *panel, const QStringList &steps);
    // The first three steps: date, description, amount.
    QList<QWidget *> entrySteps() const;

    DatePicker *m_date = nullptr;
    QLineEdit *m_description = nullptr;
    AmountField *m_amount = nullptr;
    QPushButton *m_doorboeken = nullptr;
    BookingEntry *m_entry = nullptr;
};

} // namespace zelk
