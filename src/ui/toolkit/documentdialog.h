#pragma once
// The open and save dialogs of the letter and e-mail documents: Qt's own file dialog (not
// the desktop's), opening in the administration folder, listing "Standaard brieven
// (*.rtf)", with the buttons "OK" and "Afbreken" (also Escape). Each dialog is made once
// and shown again; the window behind it stays usable.
//
// The current document file name is one text that the letter's and the e-mail's dialogs
// share: every confirmed open sets it (also to a name that cannot be opened), every save
// under another name too, and the save dialogs propose it.
//
// Open: the name is taken exactly as typed (no extension added); a name that is not a
// readable file leaves the dialog open without a word; otherwise the document is loaded.
// Save: an empty name leaves the dialog open; a name without a dot gets ".rtf"; an
// existing file is replaced without a question; when saving fails the error is shown and
// the dialog stays open.
#include <QFileDialog>
#include <functional>

namespace zelk {

class DocumentFileDialog : public QFileDialog {
    Q_OBJECT
public:
    enum class Kind { Open, Save };
    // Does the loading or saving of a chosen full path; throws zelk::Error on failure.
    using Action = std::function<void(const QString &path)>;

    // `currentName` is the shared current document file name; `folder` says where the
    // dialog starts (the administration folder as it is at every showing).
    DocumentFileDialog(Kind kind, const QString &caption, QString *currentName, std::function<QString()> folder, Action action,
                       QWidget *parent = nullptr);

    static inline const QString filter = QStringLiteral("Standaard brieven (*.rtf)");
    static inline const QString initialName = QStringLiteral("Standaard01");

    Kind kind() const { return m_kind; }
    // Sets the folder and the name box as at every showing, then shows the dialog (not modal).
    void start();
    // The name box as the user sees it.
    QString typedName() const;
    void setTypedName(const QString &name);

public Q_SLOTS:
    void accept() override;

private:
    void acceptOpen(const QString &path);
    void acceptSave(QString path);

    Kind m_kind;
    QString *m_current;
    std::function<QString()> m_folder;
    Action m_action;
};

} // namespace zelk
