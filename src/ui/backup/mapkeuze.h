#pragma once
// The folder choice of the backup and restore screens: a list of the drives (the mounted
// file systems), a tree of the folders of the chosen drive, and the list of the ".db"
// files in the chosen folder. A protected folder shows the tree red.
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;

namespace zelk {

class Mapkeuze : public QObject {
    Q_OBJECT
public:
    // The controls are made as children of `parent`; the screen places them.
    Mapkeuze(QWidget *parent, bool multiSelect);

    QComboBox *drives() const { return m_drives; }
    QTreeView *tree() const { return m_tree; }
    QListWidget *files() const { return m_files; }

    // The folder chosen in the tree; empty while none is.
    QString folder() const;
    // Chooses `folder` (its drive, then the folder in the tree); false, and nothing
    // changed, when it does not exist.
    bool setFolder(const QString &folder);
    // The root folder of the drive that holds `path`.
    static QString driveRoot(const QString &path);
    // Rereads the list of drives and the ".db" files of the chosen folder.
    void refreshDrives();
    void refreshFiles();
    void setProtected(bool on);
    bool isProtected() const { return m_protected; }

Q_SIGNALS:
    void folderChanged(const QString &folder);
    void driveChanged(const QString &root);

private:
    void chooseDrive(int index);
    QComboBox *m_drives;
    QTreeView *m_tree;
    QListWidget *m_files;
    QFileSystemModel *m_model;
    bool m_protected = false;
};

} // namespace zelk

namespace zelk {

// The busy mouse pointer over the whole program while a copy runs.
class Wachtcursor {
public:
    Wachtcursor();
    ~Wachtcursor();
    Wachtcursor(const Wachtcursor &) = delete;
    Wachtcursor &operator=(const Wachtcursor &) = delete;
};

} // namespace zelk
