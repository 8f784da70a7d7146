#include "documentdialog.h"

#include "messages.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace zelk {

DocumentFileDialog::DocumentFileDialog(Kind kind, const QString &caption, QString *currentName, std::function<QString()> folder,
                                       Action action, QWidget *parent)
    : QFileDialog(parent), m_kind(kind), m_current(currentName), m_folder(std::move(folder)), m_action(std::move(action))
{
    setObjectName(kind == Kind::Open ? QStringLiteral("inlezen") : QStringLiteral("opslaan"));
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::NonModal);
    setAcceptMode(kind == Kind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Any name may be typed: opening a name that does not exist only keeps the dialog open.
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(filter);
    setLabelText(QFileDialog::LookIn, QStringLiteral("Map:"));
    setLabelText(QFileDialog::FileName, QStringLiteral("Naam:"));
    setLabelText(QFileDialog::FileType, QStringLiteral("Bestandstype:"));
    setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
    setLabelText(QFileDialog::Reject, QStringLiteral("Afbreken"));
    if (kind == Kind::Open)
        setTypedName(initialName);
}

QString DocumentFileDialog::typedName() const
{
    const auto *box = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    return box ? box->text() : QString();
}

void DocumentFileDialog::setTypedName(const QString &name)
{
    // A file still chosen in the list would be added to the name (as "a" "b").
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>())
        if (view->selectionModel())
            view->selectionModel()->clearSelection();
    if (auto *box = findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        box->setText(name);
}

void DocumentFileDialog::start()
{
    const QString typed = typedName();
    setDirectory(m_folder ? m_folder() : QDir::homePath());
    if (m_kind == Kind::Save) {
        // The current name, with its folder when it has one.
        const QFileInfo current(*m_current);
        if (!m_current->isEmpty() && current.isAbsolute() && current.dir().exists())
            setDirectory(current.absolutePath());
        setTypedName(m_current->isEmpty() ? QString() : current.isAbsolute() ? current.fileName() : *m_current);
    } else {
        setTypedName(typed); // the last name typed stays (at first "Standaard01")
    }
    show();
    raise();
    activateWindow();
}

void DocumentFileDialog::accept()
{
    const QString typed = typedName().trimmed();
    if (typed.isEmpty())
        return;
    const QString path = QDir(directory().absolutePath()).absoluteFilePath(typed);
    if (QFileInfo(path).isDir()) { // a folder typed: go there, as the file dialog does
        setDirectory(path);
        setTypedName(QString());
        return;
    }
    runGuarded(this, [&] { m_kind == Kind::Open ? acceptOpen(path) : acceptSave(path); });
}

void DocumentFileDialog::acceptOpen(const QString &path)
{
    *m_current = path;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return; // stays open, without a word
    m_action(path);
    QDialog::accept();
}

void DocumentFileDialog::acceptSave(QString path)
{
    // Only the name itself counts: a dot in a folder's name ("~/.local") is no extension.
    if (!QFileInfo(path).fileName().contains(u'.')) {
        path += QStringLiteral(".rtf");
        setTypedName(typedName().trimmed() + QStringLiteral(".rtf"));
    }
    if (path != *m_current)
        *m_current = path;
    m_action(path); // on failure the error shows and the dialog stays open
    QDialog::accept();
}

} // namespace zelk
