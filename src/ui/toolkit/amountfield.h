#pragma once
// An amount entry with a drop-down calculator. While it is not being edited it holds its
// amount as a plain number (no thousands separators, two decimals, the current decimal
// separator) and shows it in the display format ",0.00"; while editing, the plain text
// is edited. Enter and leaving the field take the value (amountTaken).
#include <QLineEdit>

namespace zelk {

class AmountField : public QLineEdit {
    Q_OBJECT
public:
    explicit AmountField(QWidget *parent = nullptr);

    // The amount as plain text: what the posting routines' text conversion reads.
    QString plainText() const;
    // The numeric value of the plain text (0 for an empty or unreadable text).
    double value() const;
    void setValue(double amount);
    void setPlainText(const QString &text);
    void clearAmount() { setPlainText(QString()); }

    // Opens the calculator below the field.
    void openCalculator();
    class Calculator *calculator() const { return m_calculator; }

Q_SIGNALS:
    // The field's value was taken: Enter, leaving the field, or the calculator's result.
    void amountTaken(double value);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void take();
    void showPlain();
    void showDisplay();
    QString m_plain;
    bool m_editing = false;
    Calculator *m_calculator = nullptr;
};

} // namespace zelk
