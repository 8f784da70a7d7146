#pragma once
// "Backup (veiligstellen) bestanden": the five main tables copied to a folder the
// treasurer chooses (another folder or a removable drive), with their sizes, the free
// space of the drive, and a panel to make a new folder. The folders of the five
// administrations can never be the target: the tree turns red and "Start   " is disabled.
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace zelk {

class HoverButton;
class Mapkeuze;

class backuppen : public TaskScreen {
    Q_OBJECT
public:
    explicit backuppen(AppContext &context);

    static constexpr int voortgangMaximum = 1300;

    QCheckBox *vakje(int i) const { return m_boxes.at(i); }
    QLabel *bytesLabel(int i) const { return m_sizes.at(i); }
    QLabel *totaalLabel() const { return m_total; }
    QLabel *bestemmingLabel() const { return m_destination; }
    QLabel *vrijeRuimteLabel() const { return m_free; }
    QProgressBar *voortgang() const { return m_progress; }
    QLineEdit *mapnaam() const { return m_name; }
    Mapkeuze *mapkeuze() const { return m_chooser; }
    QString laatstGebruikt() const { return m_lastUsed; }

    // The sizes of the five tables, and the total of the ticked ones.
    void toonbytes();
    void toonbytestotaal();
    // "Start   ": copies the ticked tables to the chosen folder.
    void start();
    // "Nieuwe map": makes the folder named in the name box.
    void nieuwemap();

Q_SIGNALS:
    // After each table is in place, while the busy pointer shows (for the progress).
    void tabelGekopieerd();

protected:
    void onShow() override;
    void onClose() override;

private:
    void kiesmap(const QString &folder);
    std::array<QCheckBox *, 5> m_boxes{};
    std::array<QLabel *, 5> m_sizes{};
    QLabel *m_total;
    QLabel *m_destination;
    QLabel *m_free;
    QProgressBar *m_progress;
    QLineEdit *m_name;
    HoverButton *m_start;
    HoverButton *m_newFolder;
    Mapkeuze *m_chooser;
    QString m_lastUsed;
};

} // namespace zelk
