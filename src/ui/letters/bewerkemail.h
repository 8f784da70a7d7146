#pragma once
// "Bewerken e-mail": the e-mail editor, opened from the mailing screen. A header strip with
// the note that the e-mail goes out as plain text, the subject box "Mail onderwerp" and the
// reminder of the twelve member placeholders, above the rich-text body; the menus "Files"
// ("Opslaan e-mail" of a changed body, "inlezen e-mail body", "Sluiten"), "Opmaak" ("Font",
// "Kleur" of the selected text), a blank separating item and "Uitvoer" ("E-mailen": one
// message per member of the mailing selection who has an address).
//
// The run merges each member into it and puts it back from the print
// copy before the next member, so it always ends with its placeholders.
#include "documenteditor.h"

class QDialog;
class QLineEdit;

namespace zelk {

class bewerkemail : public DocumentEditor {
    Q_OBJECT
public:
    explicit bewerkemail(AppContext &context);

    static inline const QString beginOnderwerp = QStringLiteral("verenigingsbericht");

    QTextDocument *email() const { return document(); }
    QLineEdit *onderwerp() const { return m_onderwerp; }

    // "Uitvoer" / "E-mailen".
    void emailen();

    // True while a run is going.
    bool bezig() const { return m_bezig; }
    // The window "Bezig: 12 van 80" with "Stoppen" of a run over more than one member;
    // null outside such a run.
    QDialog *voortgang() const { return m_voortgang; }
    // Asks the run to stop before the next member, as "Stoppen" does.
    void stoppen();

Q_SIGNALS:
    // After each member of a run (sent or passed over), with the number done and the total.
    void lidKlaar(int gedaan, int totaal);

protected:
    void sluitvenster() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildHeader();
    void zetBezig(bool bezig);
    void toonVoortgang(int totaal);
    void toonStand(int nummer, int totaal);

    QLineEdit *m_onderwerp = nullptr;
    QAction *m_emailen = nullptr;
    QDialog *m_voortgang = nullptr;
    bool m_bezig = false;
    bool m_stoppen = false;
};

} // namespace zelk
