#include "restore.h"

#include "databases.h"
#include "mapkeuze.h"
#include "store/tableschema.h"
#include "terugzetten.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/safetycopylabel.h"
#include "veiligstellen.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace zelk {

restore::restore(AppContext &context)
    : TaskScreen(context, QStringLiteral("restore"), QStringLiteral("Restore (terugzetten) bestanden"), QStringLiteral("16. RESTORE"))
{
    m_chooser = new Mapkeuze(this, true);

    // Left: where from, and which tables.
    auto *left = new QVBoxLayout;
    left->addWidget(m_chooser->drives());
    left->addWidget(m_chooser->tree(), 3);
    auto *types = new QComboBox(this);
    types->setObjectName(QStringLiteral("bestandstype"));
    types->setFocusPolicy(Qt::NoFocus); // one entry: nothing to choose by keyboard
    types->addItem(QStringLiteral("Tabellen (Dbase)"));
    left->addWidget(types);
    left->addWidget(m_chooser->files(), 2);
    auto *counts = new QGridLayout;
    counts->addWidget(new QLabel(QStringLiteral("aantal tabellen        :"), this), 0, 0);
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setObjectName(QStringLiteral("aantaltabellen"));
    counts->addWidget(m_count, 0, 1);
    counts->addWidget(new QLabel(QStringLiteral("aantal geselecteerd"), this), 1, 0);
    m_selected = new QLabel(QStringLiteral("0"), this);
    m_selected->setObjectName(QStringLiteral("aantalgeselecteerd"));
    counts->addWidget(m_selected, 1, 1);
    counts->setColumnStretch(2, 1);
    left->addLayout(counts);

    // Right: the warning, the legend, the progress and the button.
    auto *right = new QVBoxLayout;
    m_instructions = new QListWidget(this);
    m_instructions->setObjectName(QStringLiteral("instructies"));
    m_instructions->setFocusPolicy(Qt::NoFocus);
    m_instructions->setSelectionMode(QAbstractItemView::NoSelection);
    m_instructions->addItems({QString(), QStringLiteral("  Kies eerst de juiste drive"),
                              QStringLiteral("  Selecteer dan de tabel of de tabellen"),
                              QStringLiteral("  die teruggezet moet(en) worden."), QString(), QStringLiteral("  PAS OP !!!"),
                              QStringLiteral("  Zet normaal altijd ALLE tabellen terug"), QStringLiteral(" "),
                              QStringLiteral("  De administratie kan behoorlijk in de war"),
                              QStringLiteral("  raken bij het NIET terugzetten van ALLE"), QStringLiteral("  tabellen !!!!")});
    m_instructions->setMinimumHeight(m_instructions->sizeHintForRow(1) * 11 + 2 * m_instructions->frameWidth() + 4);
    right->addWidget(m_instructions);

    auto *legend = new QGroupBox(QStringLiteral("Legenda"), this);
    auto *legendGrid = new QGridLayout(legend);
    int row = 0;
    for (const veiligstellen::Onderdeel &part : veiligstellen::onderdelen()) {
        legendGrid->addWidget(new QLabel(part.tabel->fileName.toLower(), legend), row, 0);
        legendGrid->addWidget(new QLabel(part.omschrijving, legend), row, 1);
        ++row;
    }
    right->addWidget(legend);

    auto *progressGroup = new QGroupBox(QStringLiteral("Voortgangsindicator"), this);
    auto *progressLayout = new QVBoxLayout(progressGroup);
    m_progress = new QProgressBar(progressGroup);
    m_progress->setObjectName(QStringLiteral("voortgang"));
    m_progress->setRange(0, voortgangMaximum);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    progressLayout->addWidget(m_progress);
    right->addWidget(progressGroup);

    m_read = addButton(QStringLiteral("Inlezen                 "), QStringLiteral("inlezen"));
    m_read->setMinimumHeight(32);
    right->addWidget(m_read);
    m_copy = safetyCopyLabel(this);
    m_copy->setMinimumHeight(m_copy->fontMetrics().lineSpacing() * 3 + 4); // the restored tables too
    m_copy->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(m_copy);
    right->addStretch();

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(helpButton());
    buttons->addWidget(closeButton());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel());
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(m_chooser, &Mapkeuze::folderChanged, this, [this](const QString &folder) { kiesmap(folder); });
    connect(m_chooser->files(), &QListWidget::itemSelectionChanged, this, [this] { toonaantallen(); });
    connect(m_read, &QPushButton::clicked, this, [this] { inlezen(); });

    setSteps({m_chooser->tree(), m_chooser->drives(), m_chooser->files(), m_read}); // opens on the folder
    resize(900, 640);
}

void restore::onShow()
{
    DataModule1 &data = *context().data;
    m_chooser->refreshDrives();
    m_chooser->setFolder(Mapkeuze::driveRoot(data.werkmap()));
    m_chooser->setFolder(m_lastUsed);
    m_chooser->setFolder(veiligstellen::onthouden(data));
    m_chooser->tree()->setFocus();
    toonaantallen();
}

void restore::onClose()
{
    m_lastUsed = m_chooser->folder();
}

void restore::kiesmap(const QString &folder)
{
    const bool itself = veiligstellen::isWerkmap(folder, context().data->werkmap());
    m_chooser->setProtected(itself);
    m_read->setEnabled(!itself);
    toonaantallen();
}

void restore::toonaantallen()
{
    m_count->setText(QString::number(m_chooser->files()->count()));
    m_selected->setText(QString::number(m_chooser->files()->selectedItems().size()));
}

void restore::inlezen()
{
    QListWidget *files = m_chooser->files();
    QStringList chosen;
    for (int i = 0; i < files->count(); ++i) // from the first to the last
        if (files->item(i)->isSelected())
            chosen << files->item(i)->text();
    const int step = chosen.isEmpty() ? 0 : voortgangMaximum / int(chosen.size());
    m_progress->setValue(0);
    if (files->count() == 0)
        return; // an empty folder: nothing is closed, copied or remembered
    const QString source = m_chooser->folder();
    m_copy->clear();
    attempt(this, [&] {
        Wachtcursor busy;
        const terugzetten::Resultaat result = terugzetten::zetTerug(*context().data, source, chosen, [&](const TableSchema &) {
            m_progress->setValue(m_progress->value() + step);
            m_progress->repaint();
            Q_EMIT tabelGelezen();
        });
        if (!result.kopie.naam.isEmpty())
            m_copy->setText(QStringLiteral("Teruggezet: %1. De toestand van daarvoor staat in de veiligheidskopie %2")
                                .arg(result.teruggezet.join(QStringLiteral(", ")), QDir::toNativeSeparators(result.kopie.pad)));
    });
}

} // namespace zelk
