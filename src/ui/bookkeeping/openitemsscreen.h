#pragma once
// The screen that settles open payables or receivables: a grid of the open items with a
// filter panel, the fields of the item to settle, one group of money accounts and the
// screen's own fixed account. Booking moves the amount between the chosen account and the
// fixed account and settles the current item, all in one transaction. "Doorboeken" stays
// disabled while no item is current, so a booking can never lack its item.
#include "bookingscreen.h"
#include "toolkit/accountgroup.h"

class QLineEdit;
class QPushButton;

namespace zelk {

class AmountField;
class BookingEntry;
class BoundGrid;
class DatePicker;
class FieldFilterPanel;
class Table;

struct OpenItemsDeclaration {
    QString unit;
    QString caption;
    QString helpHeading;
    Table DataModule1::*items = nullptr;
    int ownPosition = 0;       // the payables or receivables account
    QString ownInitialText;
    bool groupIsFrom = false;  // payables: the chosen account pays
    QString question;          // asked when the own account is chosen in the group
    void (*settle)(DataModule1 &, double) = nullptr;
};

class OpenItemsScreen : public BookingScreen {
    Q_OBJECT
public:
    OpenItemsScreen(AppContext &context, const OpenItemsDeclaration &declaration);

    BoundGrid *grid() const { return m_grid; }
    FieldFilterPanel *filterPanel() const { return m_filter; }
    DatePicker *datePicker() const { return m_date; }
    QLineEdit *descriptionField() const { return m_description; }
    AmountField *amountField() const { return m_amount; }
    AccountGroup *group() const { return m_group; }
    QLabel *ownName() const { return m_ownName; }
    QLabel *ownBalance() const { return m_ownBalance; }
    QPushButton *doorboekenButton() const { return m_doorboeken; }
    double pendingAmount() const;

    void doorboeken();

protected:
    void onShow() override;
    void onClose() override;

private:
    Table &items() const;
    bool itemIsCurrent() const;
    void takeRow(int row);
    QWidget *buildFixedLine();

    OpenItemsDeclaration m_decl;
    BoundGrid *m_grid;
    FieldFilterPanel *m_filter;
    DatePicker *m_date;
    QLineEdit *m_description;
    AmountField *m_amount;
    AccountGroup *m_group;
    QLabel *m_ownName = nullptr;
    QLabel *m_ownBalance = nullptr;
    QPushButton *m_doorboeken;
    BookingEntry *m_entry;
};

} // namespace zelk
