#pragma once
// A task screen: a window opened from the main menu (or the mailing screen) that hides
// its caller while it is open and shows it again when it closes, however it is closed.
// Screens are created once and only shown and hidden afterwards.
//
// The frame every screen shares lives here, so a screen declares only its unit name,
// caption and help topic, and places the frame's pieces in its own layout:
// - "Sluit venster" (closeButton) and Escape run sluitvenster(), which closes;
// - "Help" (helpButton) opens the help viewer at the screen's topic, enabled while a
//   viewer exists;
// - the title label (titleLabel) carries the main window's caption, refreshed on show;
// - buttons made with addButton turn red under the mouse and back to their rest colour
//   over the window (or an area given to resetHoverOver); a button made with
//   addUnitButton runs a unit of the program and is enabled only while that unit exists.
#include <QPointer>
#include <QWidget>

class QLabel;

namespace zelk {

struct AppContext;
class HoverButton;

class TaskScreen : public QWidget {
    Q_OBJECT
public:
    TaskScreen(AppContext &context, const QString &unitName, const QString &caption, const QString &helpHeading = {},
               QWidget *parent = nullptr);

    // Shows this screen and then hides `caller`, which shows again when this one closes.
    void openFrom(QWidget *caller);
    // A button made with addButton, by its caption; null when there is none.
    HoverButton *button(const QString &caption) const;
    const QString &helpHeading() const { return m_helpHeading; }

Q_SIGNALS:
    void closed();

protected:
    AppContext &context() const { return m_context; }

    HoverButton *closeButton();
    HoverButton *helpButton();
    QLabel *titleLabel();
    HoverButton *addButton(const QString &caption, const QString &objectName = {}, QWidget *parent = nullptr);
    HoverButton *addUnitButton(const QString &caption, const QString &unit, QWidget *parent = nullptr);
    // Moving the mouse over `area` (a group box) also returns the captions to rest.
    void resetHoverOver(QWidget *area);

    // What "Sluit venster" and Escape do. A screen that stores something first, or may
    // refuse to close, overrides it.
    virtual void sluitvenster();
    // Runs every time the screen becomes visible, after the frame is refreshed. An error
    // it throws is shown in the error box and the screen stays open.
    virtual void onShow() { }
    // Runs when the screen closes, however it is closed, before the caller shows again.
    // An error it throws is shown in the error box and the screen closes all the same.
    virtual void onClose() { }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshFrame();

    AppContext &m_context;
    QString m_helpHeading;
    QPointer<QWidget> m_caller;
    HoverButton *m_close = nullptr;
    HoverButton *m_help = nullptr;
    QLabel *m_title = nullptr;
    QList<HoverButton *> m_buttons;
    QList<std::pair<HoverButton *, QString>> m_unitButtons;
};

} // namespace zelk
