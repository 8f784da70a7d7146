#pragma once
// "Bewerken standaard brief": the letter editor, opened from the mailing screen. A strip
// like the letterhead (the logos as the logo settings place them, and the twelve member
// placeholders as a reminder) above the rich-text letter, and the menus "Files" ("Opslaan"
// of a changed letter, "inlezen", "Sluiten"), "Opmaak" ("Font", "Kleur" of the selected
// text), a blank separating item and "Uitvoer" ("Afdrukken": the letter for every member
// of the selection; "Voorbeeld": the letter as the selection's current member gets it).
//
// The letter is made with the editor at start-up and lives until the program ends, also
// while the editor is closed. Printing merges the members into copies of it: the letter
// in the editor always keeps its placeholders.
#include "toolkit/taskscreen.h"

class QLabel;
class QMenuBar;
class QTextDocument;
class QTextEdit;
class QVBoxLayout;

namespace zelk {

class DocumentFileDialog;

// Shared by the letter editor and the e-mail editor.
// The reminder of the member placeholders: the title "Invoegen gegevens uit de
// ledendatabase", the line "mogelijke codes:" and the twelve codes in two lines of six
// (labels "codes1" and "codes2"), as a column to place in a header strip.
QVBoxLayout *ledencodes(QWidget *parent);
// "Opmaak" / "Font" and "Kleur": the dialog preset from the selection; a confirmed choice
// is given to the selected text only (without a selection it is dropped); the focus goes
// back to `editor`.
void kiesfont(QTextEdit *editor);
void kieskleur(QTextEdit *editor);

class standaardbrief : public TaskScreen {
    Q_OBJECT
public:
    explicit standaardbrief(AppContext &context);

    QTextEdit *editor() const { return m_editor; }
    QTextDocument *letter() const;
    QMenuBar *menus() const { return m_menus; }
    // A menu item by its menu's and its own caption ("Files", "Opslaan"); null when there is none.
    QAction *menuItem(const QString &menu, const QString &item) const;
    DocumentFileDialog *openDialog() const { return m_open; }
    DocumentFileDialog *saveDialog() const { return m_save; }

    // The menu items' work.
    void opslaan();
    void inlezen();
    void kiesfont();
    void kieskleur();
    void afdrukken();
    void voorbeeld();

protected:
    void onShow() override;
    void onClose() override;

private:
    void buildHeader(QWidget *header);
    void toonlogos();
    QString werkmap() const;

    QMenuBar *m_menus = nullptr;
    QTextEdit *m_editor = nullptr;
    QLabel *m_leftLogo = nullptr;
    QLabel *m_rightLogo = nullptr;
    DocumentFileDialog *m_open = nullptr;
    DocumentFileDialog *m_save = nullptr;
};

} // namespace zelk
