#pragma once
// An amount entry with a drop-down calculator. While it is not being edited it holds its
// amount as a plain number (no thousands separators, two decimals, the current decimal
// separator) and shows it in the display format ",0.00"; while editing, the plain text
// is edited. Enter and leaving the field take the value (amountTaken).
//
// A text that is no amount in the current format ("12,50" while "." separates the cents,
// "1,250.00", "€ 25") or an amount that cannot be booked is never read as 0: the field
// keeps it as typed, draws a red frame and says in its tooltip how to write an amount.
// While the user is still typing, a beginning of an amount ("-", "1e") is not marked yet.
#include <QLineEdit>
#include <optional>

namespace zelk {

class AmountField : public QLineEdit {
    Q_OBJECT
public:
    explicit AmountField(QWidget *parent = nullptr);

    // The amount as plain text: what the posting routines' text conversion reads.
    QString plainText() const;
    // The numeric value of the plain text (0 for an empty or unreadable text).
    double value() const;
    // The amount of the plain text (0 when empty); nullopt when the text is no amount in
    // the current format or an amount that cannot be booked.
    std::optional<double> amount() const;
    bool isUnderstood() const { return amount().has_value(); }
    // Why the text is not understood, in Dutch (also the field's tooltip); empty when it is.
    QString problem() const;
    // Whether the field shows its text as not understood (red frame, tooltip).
    bool isMarked() const { return m_marked; }

    void setValue(double amount);
    void setPlainText(const QString &text);
    void clearAmount() { setPlainText(QString()); }

    // What a click on an account takes. convertText reads the text, rounds it to cents and
    // writes it back as a plain amount; checkedValue takes the value as it is. A text that
    // is not understood stays as typed and marked, the user is told why in the error box,
    // and the result is nullopt: nothing can be booked with it.
    std::optional<double> convertText();
    std::optional<double> checkedValue();
    // A click on `button` while it is disabled because this field is not understood
    // explains why in the error box, instead of doing nothing.
    void explainRefusalOn(QWidget *button);

    // Opens the calculator below the field.
    void openCalculator();
    class Calculator *calculator() const { return m_calculator; }

Q_SIGNALS:
    // The field's value was taken: Enter, leaving the field, or the calculator's result.
    // An amount taken before is given up (amountTaken(0)) as soon as the text is edited
    // into something that is not understood, so it never stays pending behind it.
    void amountTaken(double value);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void take();
    void showPlain();
    void showDisplay();
    void emitTaken(double amount);
    // Marks or unmarks the field for its current text; `finished` when the text counts as
    // complete (taken, or not being edited), so a mere beginning of an amount is marked too.
    void updateMark(bool finished);
    void refuse(const QString &message);
    QString refusalMessage() const;
    QString m_plain;
    bool m_editing = false;
    bool m_marked = false;
    double m_taken = 0; // the amount last handed out with amountTaken
    QWidget *m_refusedButton = nullptr;
    Calculator *m_calculator = nullptr;
};

} // namespace zelk
