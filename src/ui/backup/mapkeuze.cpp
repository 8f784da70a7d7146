#include "mapkeuze.h"

#include "terugzetten.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QStorageInfo>
#include <QTreeView>

namespace zelk {

Mapkeuze::Mapkeuze(QWidget *parent, bool multiSelect) : QObject(parent)
{
    m_drives = new QComboBox(parent);
    m_drives->setObjectName(QStringLiteral("drives"));
    m_drives->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));
    m_tree = new QTreeView(parent);
    m_tree->setObjectName(QStringLiteral("mappen"));
    m_tree->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setHeaderHidden(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);

    m_files = new QListWidget(parent);
    m_files->setObjectName(QStringLiteral("bestanden"));
    m_files->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::NoSelection);
    if (!multiSelect)
        m_files->setFocusPolicy(Qt::NoFocus);

    refreshDrives();
    // The chosen folder in sight once its branch of the tree is read.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this] {
        if (m_tree->currentIndex().isValid())
            m_tree->scrollTo(m_tree->currentIndex());
    });
    connect(m_drives, &QComboBox::activated, this, [this](int index) { chooseDrive(index); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        refreshFiles();
        Q_EMIT folderChanged(folder());
    });
}

QString Mapkeuze::driveRoot(const QString &path)
{
    const QStorageInfo storage(path);
    return storage.isValid() ? storage.rootPath() : QDir::rootPath();
}

void Mapkeuze::refreshDrives()
{
    const QString current = m_drives->currentData().toString();
    QStringList roots;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes())
        if (storage.isValid() && storage.isReady() && !roots.contains(storage.rootPath()))
            roots << storage.rootPath();
    roots.sort();
    m_drives->clear();
    for (const QString &root : roots) {
        const QStorageInfo storage(root);
        const QString name = storage.name().isEmpty() ? QString::fromLatin1(storage.fileSystemType()) : storage.name();
        m_drives->addItem(QDir::toNativeSeparators(root) + QStringLiteral("   [") + name + u']', root);
    }
    const int index = m_drives->findData(current);
    if (index >= 0)
        m_drives->setCurrentIndex(index);
}

void Mapkeuze::chooseDrive(int index)
{
    const QString root = m_drives->itemData(index).toString();
    m_tree->setRootIndex(m_model->index(root));
    m_tree->setCurrentIndex(m_model->index(root)); // the drive's root folder is chosen
    Q_EMIT driveChanged(root);
    refreshFiles();
    Q_EMIT folderChanged(folder());
}

QString Mapkeuze::folder() const
{
    const QModelIndex index = m_tree->currentIndex();
    return index.isValid() ? m_model->filePath(index) : m_model->filePath(m_tree->rootIndex());
}

bool Mapkeuze::setFolder(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString root = driveRoot(clean);
    int drive = m_drives->findData(root);
    if (drive < 0) { // mounted since the list was made
        refreshDrives();
        drive = m_drives->findData(root);
    }
    if (drive >= 0)
        m_drives->setCurrentIndex(drive);
    if (m_tree->rootIndex() != m_model->index(root))
        m_tree->setRootIndex(m_model->index(root));
    Q_EMIT driveChanged(root);
    const QModelIndex index = m_model->index(clean);
    const bool same = m_tree->currentIndex() == index;
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    if (same) { // no change signal: still show what is there now
        refreshFiles();
        Q_EMIT folderChanged(folder());
    }
    return true;
}

void Mapkeuze::refreshFiles()
{
    m_files->clear();
    const QString chosen = folder();
    if (!chosen.isEmpty())
        m_files->addItems(terugzetten::bestanden(chosen));
}

void Mapkeuze::setProtected(bool on)
{
    m_protected = on;
    m_tree->setStyleSheet(on ? QStringLiteral("QTreeView { background-color: #ff3030; color: white; }") : QString());
}

} // namespace zelk

namespace zelk {

Wachtcursor::Wachtcursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

Wachtcursor::~Wachtcursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace zelk
