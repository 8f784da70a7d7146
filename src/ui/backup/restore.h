#pragma once
// "Restore (terugzetten) bestanden": tables of a backup folder put back into the current
// administration. The treasurer picks the folder and selects the tables; the screen warns
// that normally all of them belong together. Every selected file is checked before
// anything changes, a safety copy is made, and the tables are replaced together.
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

class QLabel;
class QListWidget;
class QProgressBar;

namespace zelk {

class HoverButton;
class Mapkeuze;

class restore : public TaskScreen {
    Q_OBJECT
public:
    explicit restore(AppContext &context);

    static constexpr int voortgangMaximum = 1300;

    QLabel *aantalTabellen() const { return m_count; }
    QLabel *aantalGeselecteerd() const { return m_selected; }
    QLabel *kopieLabel() const { return m_copy; }
    QProgressBar *voortgang() const { return m_progress; }
    QListWidget *instructies() const { return m_instructions; }
    Mapkeuze *mapkeuze() const { return m_chooser; }
    HoverButton *inlezenButton() const { return m_read; }
    QString laatstGebruikt() const { return m_lastUsed; }

    // "Inlezen                 ": puts the selected tables back.
    void inlezen();

Q_SIGNALS:
    // After each table has been read, while the busy pointer shows (for the progress).
    void tabelGelezen();

protected:
    void onShow() override;
    void onClose() override;

private:
    void kiesmap(const QString &folder);
    void toonaantallen();
    QLabel *m_count;
    QLabel *m_selected;
    QLabel *m_copy;
    QProgressBar *m_progress;
    QListWidget *m_instructions;
    HoverButton *m_read;
    Mapkeuze *m_chooser;
    QString m_lastUsed;
};

} // namespace zelk
