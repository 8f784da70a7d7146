#pragma once
// The notice "Gegevens verwerkt in de administratie": shown centred after a booking,
// without taking the focus; it hides after 3 seconds, or at once when the mouse passes
// over its text.
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace zelk {

class verwerkt : public QWidget {
    Q_OBJECT
public:
    static constexpr int shownMilliseconds = 3000;
    explicit verwerkt(QWidget *parent = nullptr);
    void showNotice();
    bool timerActive() const { return m_timer.isActive(); }
    QLabel *label() const { return m_label; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label;
    QTimer m_timer;
};

} // namespace zelk
