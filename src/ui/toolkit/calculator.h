#pragma once
// The drop-down calculator of an amount field: digits, the four operations, "=" and "C".
// "=" (or Enter) hands the result to the field and closes the calculator.
#include <QFrame>
#include <QLineEdit>

namespace zelk {

class Calculator : public QFrame {
    Q_OBJECT
public:
    explicit Calculator(QWidget *parent = nullptr);
    void start(double value);       // the calculator opens with the field's value
    void press(const QString &key); // one key: "0"-"9", decimal, "+", "-", "*", "/", "=", "C"
    QString displayText() const { return m_display->text(); }
    double result() const;

Q_SIGNALS:
    void finished(double result);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyPending();
    QLineEdit *m_display;
    double m_accumulator = 0;
    QString m_operation;
    bool m_fresh = true; // the next digit starts a new number
};

} // namespace zelk
