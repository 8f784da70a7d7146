#pragma once
// A date-only picker with a drop-down calendar, shown as dd-MM-yyyy. It starts at the
// date the program was started and keeps whatever date the user picks afterwards.
#include <QDateEdit>

namespace zelk {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr) : QDateEdit(QDate::currentDate(), parent)
    {
        setCalendarPopup(true);
        setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    }
};

} // namespace zelk
