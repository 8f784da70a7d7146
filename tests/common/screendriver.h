#pragma once
// Drives the real screens as a treasurer would: opens a screen from the main menu, types
// an amount, clicks radio buttons and answers the next Yes/No question.
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <optional>

class QAbstractButton;
class QAction;
class QMenuBar;
class QListWidget;
class QRadioButton;
class QWidget;

namespace zelk {
class AmountField;
class Program;
class TaskScreen;
} // namespace zelk

namespace zelk::test {

// Clicks the main-menu button with `caption` and returns the screen it opened.
TaskScreen *openFromMenu(Program &program, const QString &caption);
// Selects all of the field, types `text` and presses Enter.
void typeAmount(AmountField *field, const QString &text);
// Clicks a radio button on its indicator, where a click always lands.
void clickRadio(QRadioButton *button);
// Clicks `answer` in the next question box as soon as it is shown; `asked` (when given)
// receives the question's text.
void answerNextQuestion(QMessageBox::StandardButton answer, QString *asked = nullptr);
// Types `text` into `widget` key by key; characters beyond ASCII arrive as a keyboard with
// them would send them (a key event carrying only the text).
void typeText(QWidget *widget, const QString &text);
// Clicks `button`, which opens a report in the preview, saves the report as text to `path`,
// closes the preview and returns the text; empty when no preview opened.
QString printedText(QAbstractButton *button, const QString &path);
// The texts of the list's items, top to bottom.
QStringList listed(const QListWidget *list);
// Presses F10 in `editor` of the active `window` and returns the menu-bar item that opened
// (null when none did).
QAction *openMenusWithF10(QWidget *window, QWidget *editor, const QMenuBar *menus);
// The message boxes with this objectName ("foutmelding", "samenvatting") showing now.
QList<QMessageBox *> messageBoxes(const QString &name);
// The error boxes ("foutmelding") showing now.
QList<QMessageBox *> errorBoxes();
// Pixels of the widget that are clearly red: the frame of an amount field that is no amount.
int redPixels(QWidget *widget);

// Answers every password question (a QInputDialog) of the program while it lives: types
// `answer` and presses Enter, or cancels when no answer is set. It looks every 10 ms, so a
// question that comes only after the keyring has been tried is answered too. Counts the
// questions and keeps their texts.
class PasswordAnswers {
public:
    explicit PasswordAnswers(std::optional<QString> answer = std::nullopt);
    std::optional<QString> answer;
    int asked = 0;
    QStringList labels;
    QLineEdit::EchoMode echo = QLineEdit::Normal;

private:
    QTimer m_timer;
};

} // namespace zelk::test
