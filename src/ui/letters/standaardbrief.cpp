#include "standaardbrief.h"

#include "databases.h"
#include "preview/previewlauncher.h"
#include "report/reportframe.h"
#include "reports/papportstand.h"
#include "rtf/rtf.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "toolkit/documentdialog.h"
#include "toolkit/messages.h"
#include "vindtekst.h"
#include "zelkerror.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zelk {

namespace {
constexpr int LogoHeight = 110; // pixels in the strip
constexpr int PreviewZoom = 80; // percent

PreviewOptions previewOptions()
{
    PreviewOptions options;
    options.zoomPercent = PreviewZoom;
    return options;
}
} // namespace

QVBoxLayout *ledencodes(QWidget *parent)
{
    auto *codes = new QVBoxLayout;
    auto *title = new QLabel(QStringLiteral("Invoegen gegevens uit de ledendatabase"), parent);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    codes->addWidget(title);
    codes->addWidget(new QLabel(QStringLiteral("mogelijke codes:"), parent));
    QStringList all;
    for (const Placeholder &p : placeholders())
        all << p.code;
    // Two lines of six, so that the strip stays narrow.
    for (int line = 0; line < 2; ++line) {
        auto *label = new QLabel(all.mid(line * 6, 6).join(QStringLiteral("  ")), parent);
        label->setObjectName(QStringLiteral("codes%1").arg(line + 1));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        codes->addWidget(label);
    }
    codes->addStretch();
    return codes;
}

void kiesfont(QTextEdit *editor)
{
    QFontDialog dialog(editor->currentCharFormat().font(), editor);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setObjectName(QStringLiteral("font"));
    dialog.setWindowTitle(QStringLiteral("Font"));
    const bool chosen = dialog.exec() == QDialog::Accepted;
    QTextCursor cursor = editor->textCursor();
    if (chosen && cursor.hasSelection()) {
        QTextCharFormat format;
        format.setFont(dialog.selectedFont(), QTextCharFormat::FontPropertiesSpecifiedOnly);
        cursor.mergeCharFormat(format);
    }
    editor->setFocus();
}

void kieskleur(QTextEdit *editor)
{
    QColorDialog dialog(editor->textColor(), editor);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setObjectName(QStringLiteral("kleur"));
    dialog.setWindowTitle(QStringLiteral("Kleur"));
    const bool chosen = dialog.exec() == QDialog::Accepted;
    QTextCursor cursor = editor->textCursor();
    if (chosen && cursor.hasSelection()) {
        QTextCharFormat format;
        format.setForeground(dialog.selectedColor());
        cursor.mergeCharFormat(format);
    }
    editor->setFocus();
}

standaardbrief::standaardbrief(AppContext &context)
    : TaskScreen(context, QStringLiteral("standaardbrief"), QStringLiteral("Bewerken standaard brief"))
{
    auto *layout = new QVBoxLayout(this);
    m_menus = new QMenuBar(this);
    m_menus->setNativeMenuBar(false);
    layout->setMenuBar(m_menus);

    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("briefhoofd"));
    header->setFrameShape(QFrame::StyledPanel);
    header->setStyleSheet(QStringLiteral("#briefhoofd { background: white; }"));
    buildHeader(header);
    layout->addWidget(header);

    m_editor = new QTextEdit(this);
    m_editor->setObjectName(QStringLiteral("brief"));
    m_editor->setAcceptRichText(true);
    m_editor->setTabChangesFocus(false); // Tab types a tab in the letter
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_editor, 1);

    const auto folder = [this] { return werkmap(); };
    m_open = new DocumentFileDialog(
        DocumentFileDialog::Kind::Open, QStringLiteral("Inlezen brief"), &context.documentFileName, folder,
        [this](const QString &path) { rtf::readFile(path, letter()); }, this);
    m_open->setObjectName(QStringLiteral("inlezenbrief"));
    m_save = new DocumentFileDialog(
        DocumentFileDialog::Kind::Save, QStringLiteral("Opslaan brief"), &context.documentFileName, folder,
        [this](const QString &path) {
            rtf::writeFile(*letter(), path);
            letter()->setModified(false);
        },
        this);
    m_save->setObjectName(QStringLiteral("opslaanbrief"));

    const auto item = [this](QMenu *menu, const QString &caption, void (standaardbrief::*work)()) {
        QAction *action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, guarded(this, [this, work] { (this->*work)(); }));
    };
    QMenu *files = m_menus->addMenu(QStringLiteral("Files"));
    item(files, QStringLiteral("Opslaan"), &standaardbrief::opslaan);
    item(files, QStringLiteral("inlezen"), &standaardbrief::inlezen);
    QAction *sluiten = files->addAction(QStringLiteral("Sluiten"));
    connect(sluiten, &QAction::triggered, this, [this] { sluitvenster(); });
    QMenu *opmaak = m_menus->addMenu(QStringLiteral("Opmaak"));
    item(opmaak, QStringLiteral("Font"), &standaardbrief::kiesfont);
    item(opmaak, QStringLiteral("Kleur"), &standaardbrief::kieskleur);
    QAction *blank = m_menus->addAction(QStringLiteral("    ")); // keeps "Uitvoer" apart; does nothing
    blank->setObjectName(QStringLiteral("scheiding"));
    QMenu *uitvoer = m_menus->addMenu(QStringLiteral("Uitvoer"));
    item(uitvoer, QStringLiteral("Afdrukken"), &standaardbrief::afdrukken);
    item(uitvoer, QStringLiteral("Voorbeeld"), &standaardbrief::voorbeeld);

    setSteps({m_editor});
    resize(900, 700);
}

void standaardbrief::buildHeader(QWidget *header)
{
    auto *strip = new QHBoxLayout(header);
    m_leftLogo = new QLabel(header);
    m_leftLogo->setObjectName(QStringLiteral("logolinks"));
    m_rightLogo = new QLabel(header);
    m_rightLogo->setObjectName(QStringLiteral("logorechts"));
    for (QLabel *logo : {m_leftLogo, m_rightLogo}) {
        logo->setFixedHeight(LogoHeight);
        logo->setAlignment(Qt::AlignCenter);
    }

    QVBoxLayout *codes = ledencodes(header);

    strip->addWidget(m_leftLogo);
    strip->addStretch();
    strip->addLayout(codes);
    strip->addStretch();
    strip->addWidget(m_rightLogo);
}

QTextDocument *standaardbrief::letter() const
{
    return m_editor->document();
}

QAction *standaardbrief::menuItem(const QString &menu, const QString &item) const
{
    for (QAction *top : m_menus->actions()) {
        if (top->text() != menu || !top->menu())
            continue;
        for (QAction *a : top->menu()->actions())
            if (a->text() == item)
                return a;
    }
    return nullptr;
}

QString standaardbrief::werkmap() const
{
    return context().data ? context().data->werkmap() : QString();
}

void standaardbrief::onShow()
{
    toonlogos();
    m_editor->setFocus();
}

void standaardbrief::onClose()
{
    // A file dialog left open goes with the editor.
    for (DocumentFileDialog *dialog : {m_open, m_save})
        if (dialog->isVisible())
            dialog->reject();
}

void standaardbrief::toonlogos()
{
    if (!context().data)
        return;
    const Settings &s = context().data->settings;
    QString problem;
    const QImage logo = readLogo(s.logoPad, &problem);
    const QPixmap picture = logo.isNull() ? QPixmap() : QPixmap::fromImage(logo.scaledToHeight(LogoHeight, Qt::SmoothTransformation));
    m_leftLogo->setPixmap(picture);
    m_rightLogo->setPixmap(picture);
    // Each logo place keeps its room, so that the codes stay in the middle.
    m_leftLogo->setFixedWidth(picture.isNull() ? 0 : picture.width());
    m_rightLogo->setFixedWidth(picture.isNull() ? 0 : picture.width());
    m_leftLogo->setVisible(s.printLogo && s.logoLinks);
    m_rightLogo->setVisible(s.printLogo && s.logoRechts);
}

void standaardbrief::opslaan()
{
    if (letter()->isModified())
        m_save->start();
}

void standaardbrief::inlezen()
{
    m_open->start();
}

void standaardbrief::kiesfont()
{
    zelk::kiesfont(m_editor);
}

void standaardbrief::kieskleur()
{
    zelk::kieskleur(m_editor);
}

void standaardbrief::afdrukken()
{
    if (!context().data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    DataModule1 &data = *context().data;
    // The print copy first: when it cannot be written the print does not start.
    papportstand::writePrintCopy(data, *letter());
    showReportPreview(
        this, QStringLiteral("papportstand"), [&data, this] { return papportstand(data, *letter()).report(); }, previewOptions());
}

void standaardbrief::voorbeeld()
{
    if (!context().data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    DataModule1 &data = *context().data;
    Table &members = data.ledentabel;
    const QString member = members.isEmpty() ? QString() : members.text(veld::leden::Naam);
    showReportPreview(
        this, QStringLiteral("papportstand"), [&data, member, this] { return papportstand(data, *letter(), member).report(); },
        previewOptions());
}

} // namespace zelk
