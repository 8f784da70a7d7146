#include "backuppen.h"

#include "databases.h"
#include "mapkeuze.h"
#include "store/tableschema.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "veiligstellen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace zelk {

namespace {
QLabel *framedLabel(const QString &text, QWidget *parent, const QString &objectName)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

backuppen::backuppen(AppContext &context)
    : TaskScreen(context, QStringLiteral("backuppen"), QStringLiteral("Backup (veiligstellen) bestanden"), QStringLiteral("15. BACKUP"))
{
    m_chooser = new Mapkeuze(this, false);

    // Left: what is copied, the progress, the start button and the new folder.
    auto *left = new QVBoxLayout;
    auto *instruction = new QLabel(QStringLiteral("Kies de juiste drive en map !"), this);
    QFont bold = instruction->font();
    bold.setBold(true);
    instruction->setFont(bold);
    left->addWidget(instruction);

    auto *tables = new QGroupBox(QStringLiteral("Tabellen"), this);
    auto *grid = new QGridLayout(tables);
    grid->addWidget(new QLabel(QStringLiteral("Backuppen (inclusief index-files)"), tables), 0, 0);
    auto *bytesHeading = new QLabel(QStringLiteral("Bytes"), tables);
    bytesHeading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(bytesHeading, 0, 1);
    const auto &parts = veiligstellen::onderdelen();
    for (int i = 0; i < 5; ++i) {
        m_boxes[i] = new QCheckBox(parts[i].naam, tables);
        m_boxes[i]->setObjectName(QStringLiteral("vakje") + QFileInfo(parts[i].tabel->fileName).completeBaseName());
        m_boxes[i]->setChecked(true);
        m_sizes[i] = new QLabel(QStringLiteral("0"), tables);
        m_sizes[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_sizes[i]->setMinimumWidth(110);
        grid->addWidget(m_boxes[i], i + 1, 0);
        grid->addWidget(m_sizes[i], i + 1, 1);
        connect(m_boxes[i], &QCheckBox::toggled, this, [this] { toonbytestotaal(); });
    }
    grid->addWidget(new QLabel(QStringLiteral("Totaal van de gekozen tabellen in bytes :"), tables), 6, 0);
    m_total = new QLabel(QStringLiteral("0"), tables);
    m_total->setObjectName(QStringLiteral("totaal"));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setFont(bold);
    grid->addWidget(m_total, 6, 1);
    left->addWidget(tables);

    auto *progressGroup = new QGroupBox(QStringLiteral("Voortgangsindicator"), this);
    auto *progressLayout = new QVBoxLayout(progressGroup);
    m_progress = new QProgressBar(progressGroup);
    m_progress->setObjectName(QStringLiteral("voortgang"));
    m_progress->setRange(0, voortgangMaximum);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    progressLayout->addWidget(m_progress);
    left->addWidget(progressGroup);

    m_start = addButton(QStringLiteral("Start   "), QStringLiteral("start"));
    m_start->setMinimumHeight(32);
    left->addWidget(m_start);

    auto *newFolder = new QGroupBox(QStringLiteral(" Nieuwe map "), this);
    auto *newLayout = new QVBoxLayout(newFolder);
    newLayout->setSpacing(2);
    for (const QString &line : {QStringLiteral("Klik de juiste map aan"), QStringLiteral("waar de nieuwe map"),
                                QStringLiteral("moet komen"), QStringLiteral("Vul de nieuwe mapnaam in")})
        newLayout->addWidget(new QLabel(line, newFolder));
    m_name = new QLineEdit(newFolder);
    m_name->setObjectName(QStringLiteral("mapnaam"));
    newLayout->addWidget(m_name);
    m_newFolder = addButton(QStringLiteral("Nieuwe map"), QStringLiteral("nieuwemap"), newFolder);
    newLayout->addWidget(m_newFolder);
    left->addWidget(newFolder);
    left->addStretch();

    // Right: where to.
    auto *right = new QVBoxLayout;
    auto *destinationRow = new QHBoxLayout;
    destinationRow->addWidget(new QLabel(QStringLiteral("Bestemming "), this));
    m_destination = new QLabel(QStringLiteral("Nog niet gekozen"), this);
    m_destination->setObjectName(QStringLiteral("bestemming"));
    m_destination->setFont(bold);
    m_destination->setMinimumWidth(200);
    m_destination->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    destinationRow->addWidget(m_destination, 1);
    right->addLayout(destinationRow);
    right->addWidget(m_chooser->drives());
    m_free = framedLabel(QString(), this, QStringLiteral("vrijeruimte"));
    right->addWidget(m_free);
    right->addWidget(m_chooser->tree(), 3);
    auto *types = new QComboBox(this);
    types->setObjectName(QStringLiteral("bestandstype"));
    types->setFocusPolicy(Qt::NoFocus); // one entry: nothing to choose by keyboard
    types->addItem(QStringLiteral("Databasefiles (*.db)"));
    right->addWidget(types);
    right->addWidget(m_chooser->files(), 1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 0);
    columns->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(helpButton());
    buttons->addWidget(closeButton());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel());
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(m_chooser, &Mapkeuze::folderChanged, this, [this](const QString &folder) { kiesmap(folder); });
    connect(m_chooser, &Mapkeuze::driveChanged, this, [this](const QString &root) { m_free->setText(veiligstellen::vrijeRuimte(root)); });
    connect(m_start, &QPushButton::clicked, this, [this] { start(); });
    connect(m_newFolder, &QPushButton::clicked, this, [this] { nieuwemap(); });
    connect(m_name, &QLineEdit::returnPressed, this, [this] { nieuwemap(); });

    // The folder first, as the screen opens on it.
    setSteps(
        {m_chooser->tree(), m_chooser->drives(), m_boxes[0], m_boxes[1], m_boxes[2], m_boxes[3], m_boxes[4], m_start, m_name, m_newFolder});
    resize(960, 640);
}

void backuppen::onShow()
{
    DataModule1 &data = *context().data;
    m_chooser->refreshDrives();
    m_chooser->setFolder(Mapkeuze::driveRoot(data.werkmap()));
    m_chooser->setFolder(m_lastUsed);
    m_chooser->setFolder(veiligstellen::onthouden(data));
    m_chooser->tree()->setFocus();
    toonbytes();
    toonbytestotaal();
}

void backuppen::onClose()
{
    m_lastUsed = m_chooser->folder();
}

void backuppen::kiesmap(const QString &folder)
{
    m_destination->setText(QDir::toNativeSeparators(folder));
    m_destination->setToolTip(m_destination->text());
    const bool refused = veiligstellen::beschermd(folder);
    m_chooser->setProtected(refused);
    m_start->setEnabled(!refused);
    m_newFolder->setEnabled(!refused);
}

void backuppen::toonbytes()
{
    const QString werkmap = context().data->werkmap();
    const auto &parts = veiligstellen::onderdelen();
    for (int i = 0; i < 5; ++i)
        m_sizes[i]->setText(QString::number(veiligstellen::grootte(werkmap, *parts[i].tabel)));
}

void backuppen::toonbytestotaal()
{
    qint64 total = 0;
    for (int i = 0; i < 5; ++i)
        if (m_boxes[i]->isChecked())
            total += m_sizes[i]->text().toLongLong();
    m_total->setText(QString::number(total));
}

void backuppen::start()
{
    std::vector<const TableSchema *> tables;
    for (int i = 0; i < 5; ++i)
        if (m_boxes[i]->isChecked())
            tables.push_back(veiligstellen::onderdelen()[i].tabel);
    const int step = tables.empty() ? 0 : voortgangMaximum / int(tables.size());
    m_progress->setValue(0);
    const QString target = m_chooser->folder();
    attempt(this, [&] {
        Wachtcursor busy;
        veiligstellen::maak(*context().data, target, tables, [&](const TableSchema &) {
            m_progress->setValue(m_progress->value() + step);
            m_chooser->refreshFiles();
            m_progress->repaint();
            m_chooser->files()->repaint();
            Q_EMIT tabelGekopieerd();
        });
    });
    m_chooser->refreshFiles();
    m_free->setText(veiligstellen::vrijeRuimte(Mapkeuze::driveRoot(target)));
}

void backuppen::nieuwemap()
{
    if (m_name->text().trimmed().isEmpty() || !m_newFolder->isEnabled())
        return;
    attempt(this, [&] {
        veiligstellen::nieuweMap(m_chooser->folder(), m_name->text());
        m_name->clear();
    });
}

} // namespace zelk
