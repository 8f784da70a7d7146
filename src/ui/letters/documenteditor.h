#pragma once
// What the letter editor and the e-mail editor share: a task screen with a menu bar, a
// header strip that each editor fills, the rich-text area below it, the document file
// dialogs (open and save, sharing the current document's file name), and the menu work
// that does not depend on what the document is for: save a changed document, open one,
// font and colour of the selection, close. F10 opens the menus from the keyboard.
//
// The document is made with the editor at start-up and lives until the program ends, also
// while the editor is closed.
#include "toolkit/taskscreen.h"

#include <functional>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QTextDocument;
class QTextEdit;
class QVBoxLayout;

namespace zelk {

class DocumentFileDialog;

// The reminder of the member placeholders: the title "Invoegen gegevens uit de
// ledendatabase", the line "mogelijke codes:" and the twelve codes in two lines of six
// (labels "codes1" and "codes2"), as a column to place in a header strip.
QVBoxLayout *ledencodes(QWidget *parent);
// "Opmaak" / "Font" and "Kleur": the dialog preset from the selection; a confirmed choice
// is given to the selected text only (without a selection it is dropped); the focus goes
// back to `editor`.
void kiesfont(QTextEdit *editor);
void kieskleur(QTextEdit *editor);

// The names an editor goes by: its screen, its widgets and its two file dialogs.
struct DocumentEditorNames {
    QString unit;      // "standaardbrief"
    QString caption;   // "Bewerken standaard brief"
    QString header;    // object name of the header strip, "briefhoofd"
    QString editor;    // object name of the text area, "brief"
    QString openTitle; // "Inlezen brief"
    QString openName;  // "inlezenbrief"
    QString saveTitle; // "Opslaan brief"
    QString saveName;  // "opslaanbrief"
};

class DocumentEditor : public TaskScreen {
    Q_OBJECT
public:
    QTextEdit *editor() const { return m_editor; }
    QTextDocument *document() const;
    QMenuBar *menus() const { return m_menus; }
    // A menu item by its menu's and its own caption ("Files", "Sluiten"); null when there is none.
    QAction *menuItem(const QString &menu, const QString &item) const;
    DocumentFileDialog *openDialog() const { return m_open; }
    DocumentFileDialog *saveDialog() const { return m_save; }

    // The menu items' work.
    void opslaan(); // a changed document only
    void inlezen();
    void kiesfont();
    void kieskleur();

protected:
    DocumentEditor(AppContext &context, const DocumentEditorNames &names);

    // The strip above the text area, empty, for the editor to fill.
    QFrame *header() const { return m_header; }
    // A menu item that runs `work`, with an error shown in a box.
    QAction *addItem(QMenu *menu, const QString &caption, const std::function<void()> &work);
    // "Files" (`opslaanCaption`, `inlezenCaption`, "Sluiten"), "Opmaak" ("Font", "Kleur"),
    // the blank item that keeps the next menu apart, and the menu `uitvoer`, which is returned.
    QMenu *addMenus(const QString &opslaanCaption, const QString &inlezenCaption, const QString &uitvoer = QStringLiteral("Uitvoer"));
    QAction *opslaanItem() const { return m_opslaanItem; }
    QString werkmap() const;
    void onClose() override;

private:
    QMenuBar *m_menus = nullptr;
    QFrame *m_header = nullptr;
    QTextEdit *m_editor = nullptr;
    DocumentFileDialog *m_open = nullptr;
    DocumentFileDialog *m_save = nullptr;
    QAction *m_opslaanItem = nullptr;
};

} // namespace zelk
