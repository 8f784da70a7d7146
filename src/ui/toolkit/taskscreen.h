#pragma once
// A task screen: a window opened from the main menu (or the mailing screen) that hides
// its caller while it is open and shows it again when it closes, however it is closed.
// Screens are created once and only shown and hidden afterwards.
#include <QPointer>
#include <QWidget>

namespace zelk {

class TaskScreen : public QWidget {
    Q_OBJECT
public:
    explicit TaskScreen(const QString &unitName, const QString &caption, QWidget *parent = nullptr);

    // Shows this screen and then hides `caller`, which shows again when this one closes.
    void openFrom(QWidget *caller);

Q_SIGNALS:
    void closed();

protected:
    // Runs every time the screen becomes visible. An error it throws is shown in the
    // error box and the screen stays open.
    virtual void onShow() {}
    // Runs when the screen closes, however it is closed, before the caller shows again.
    // An error it throws is shown in the error box and the screen closes all the same.
    virtual void onClose() {}
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPointer<QWidget> m_caller;
};

} // namespace zelk
