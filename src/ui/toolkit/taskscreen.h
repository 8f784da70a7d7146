#pragma once
// A task screen: a window opened from the main menu (or the mailing screen) that hides
// its caller while it is open and shows it again when it closes, however it is closed.
// Screens are created once and only shown and hidden afterwards.
//
// The frame every screen shares lives here, so a screen declares only its unit name,
// caption and help topic, and places the frame's pieces in its own layout:
// - "Sluit venster" (closeButton) and Escape run sluitvenster(), which closes; Escape
//   does so wherever the focus is in the screen;
// - the screen opens centred on the main menu's screen, never larger than that screen's
//   free area, with the focus on its first step (see setSteps);
// - Return presses the focused button (also a radio button, which it chooses), as Space
//   does; Tab leaves a date field at once (the arrow keys move within it);
// - "Help" (helpButton) opens the help viewer at the screen's topic, enabled while a
//   viewer exists;
// - the title label (titleLabel) carries the main window's caption, refreshed on show;
// - buttons made with addButton turn red under the mouse and back to their rest colour
//   over the window (or an area given to resetHoverOver); a button made with
//   addUnitButton runs a unit of the program and is enabled only while that unit exists.
#include <QPointer>
#include <QWidget>

class QLabel;
class QScreen;

namespace zelk {

struct AppContext;
class HoverButton;

// Makes `window` no larger than the free area of `screen` (but not smaller than its own
// minimum) and moves it so that it stands, title bar and borders included, in the middle
// of that area. Before a window was first shown its borders are not known yet.
void placeCentred(QWidget *window, const QScreen *screen);

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
    // The control the screen's first step starts in, which has the focus when the screen
    // opens: the first of the steps that can take the focus, else the first control that
    // Tab reaches other than "Sluit venster" and "Help".
    QWidget *firstStep() const;
    // Gives the first step the focus, as the screen does when it opens.
    void focusFirstStep();

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
    // The controls of the screen's steps, in the order the user goes through them: Tab
    // walks them in this order, then "Sluit venster" and "Help" (unless named among the
    // steps), then any control not named. For a radio group name all its buttons; the
    // group is one stop. Without steps the screen opens on its first control in Tab order.
    void setSteps(const QList<QWidget *> &steps);

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
    void placeOnScreen();
    void leaveDateFieldsWithTab();

    AppContext &m_context;
    QString m_helpHeading;
    QPointer<QWidget> m_caller;
    HoverButton *m_close = nullptr;
    HoverButton *m_help = nullptr;
    QLabel *m_title = nullptr;
    QList<HoverButton *> m_buttons;
    QList<std::pair<HoverButton *, QString>> m_unitButtons;
    QList<QPointer<QWidget>> m_steps;
};

} // namespace zelk
