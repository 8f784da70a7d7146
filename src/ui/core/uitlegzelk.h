#pragma once
// The help viewer "Uitleg ZELK": shows the manual (the help file, rich text), which the
// treasurer reads, searches by topic, edits, prints and saves. A "Help" button opens it
// at the heading of its screen's chapter; the main menu opens it at the start. The viewer
// is an ordinary window: the screen that opened it stays open behind it. Escape closes it.
#include <QMainWindow>
#include <QString>

class QPrinter;
class QTextEdit;

namespace zelk {

class uitlegzelk : public QMainWindow {
    Q_OBJECT
public:
    explicit uitlegzelk(const QString &helpFile, QWidget *parent = nullptr);

    // Opening from a "Help" button (with its heading) or from the main menu (no heading):
    // reloads the help file (unsaved edits are dropped) or, when it does not exist,
    // creates it from the editor's text; then shows the viewer. The heading is looked up
    // only when the viewer becomes visible, not when it already was.
    void openAt(const QString &heading);

    // Vindtekst: looks up the topic heading in the text now in the editor: the first
    // case-sensitive occurrence gets the caret and lands on the top line. When it is not
    // there the view stays at the end of the text.
    void vindtekst();

    const QString &topicHeading() const { return m_topic; }
    const QString &helpFile() const { return m_helpFile; }
    void setHelpFile(const QString &path) { m_helpFile = path; }
    QTextEdit *editor() const { return m_editor; }

    // "Opslaan": saves the text to the help file, only when it was changed since loading.
    void opslaan();
    // Prints the whole document, with the help file's name as the job's title.
    void printTo(QPrinter &printer);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    void buildTopicMenu();
    void load();
    void afdrukken();
    void kiesFont();
    void kiesKleur();
    void lookUp(const QString &heading);

    QString m_helpFile;
    QString m_topic; // the topic heading; emptied when the viewer closes
    QTextEdit *m_editor;
};

} // namespace zelk
