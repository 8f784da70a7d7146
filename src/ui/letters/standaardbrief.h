#pragma once
// "Bewerken standaard brief": the letter editor, opened from the mailing screen. A strip
// like the letterhead (the logos as the logo settings place them, and the twelve member
// placeholders as a reminder) above the rich-text letter, and the menus "Files" ("Opslaan"
// of a changed letter, "inlezen", "Sluiten"), "Opmaak" ("Font", "Kleur" of the selected
// text), a blank separating item and "Uitvoer" ("Afdrukken": the letter for every member
// of the selection; "Voorbeeld": the letter as the selection's current member gets it).
//
// Printing merges the members into copies of the letter: the letter in the editor always
// keeps its placeholders.
#include "documenteditor.h"

class QLabel;

namespace zelk {

class standaardbrief : public DocumentEditor {
    Q_OBJECT
public:
    explicit standaardbrief(AppContext &context);

    QTextDocument *letter() const { return document(); }

    // The "Uitvoer" items' work.
    void afdrukken();
    void voorbeeld();

protected:
    void onShow() override;

private:
    void buildHeader();
    void toonlogos();

    QLabel *m_leftLogo = nullptr;
    QLabel *m_rightLogo = nullptr;
};

} // namespace zelk
