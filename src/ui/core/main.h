#pragma once
// The main menu, the program's main window. Every time it becomes visible it opens the
// tables of the current administration, reads its settings, completes the chart of
// accounts and shows the working folder and the last journal number in its status bar.
#include "toolkit/appcontext.h"

#include <QLabel>
#include <QMainWindow>

namespace zelk {

class HoverButton;

class main : public QMainWindow {
    Q_OBJECT
public:
    explicit main(AppContext &context);

    static QString captionFor(const QString &verenigingsnaam);
    // Runs the show steps; called whenever the window becomes visible.
    void runShowSteps();
    // Enables the buttons whose screen or report exists (after start-up created them).
    void enableAvailableButtons();

    HoverButton *button(const QString &caption) const; // by caption without padding
    // The first task's button that is enabled: where the focus starts.
    QWidget *firstButton() const;
    QLabel *statusPanel(int number) const { return m_panels.value(number - 1); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Entry {
        QString caption;
        QString unit; // the screen or report the button opens
        QColor rest;
        bool highlights = true;
    };
    QWidget *buildGroup(const QString &title, const QList<Entry> &entries);
    void buildStatusBar();
    void activate(const QString &unit);
    void resetCaptions();
    void openHelp();

    AppContext &m_ctx;
    QList<HoverButton *> m_buttons;
    QHash<HoverButton *, QString> m_units;
    QList<QLabel *> m_panels;
    QWidget *m_helpPicture = nullptr;
    bool m_shownBefore = false;
};

} // namespace zelk
