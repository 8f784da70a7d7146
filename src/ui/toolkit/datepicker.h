#pragma once
// A date-only picker with a drop-down calendar, shown as dd-MM-yyyy. It starts at the
// date the program was started and keeps whatever date the user picks afterwards.
//
// Typed the way a date is written: a single click selects the part of the date under it
// (a click beside the date selects the day), so the digits typed next replace that part
// and run on into the parts after it. A separator ("-", "/", "." or a blank) closes the
// part being typed; right after a part that its digits closed already, it closes nothing
// more. So one click and "15032026", "15-03-2026", "1-4-2026" or "1.4.2026" all give the
// date meant.
#include <QDateEdit>

namespace zelk {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void selectClickedSection(const QPoint &at);
    bool m_partClosedByDigits = false; // the last key was a digit that completed its part
};

} // namespace zelk
