#include "documenteditor.h"

#include "databases.h"
#include "rtf/rtf.h"
#include "toolkit/appcontext.h"
#include "toolkit/documentdialog.h"
#include "toolkit/messages.h"
#include "vindtekst.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zelk {

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

DocumentEditor::DocumentEditor(AppContext &context, const DocumentEditorNames &names)
    : TaskScreen(context, names.unit, names.caption)
{
    auto *layout = new QVBoxLayout(this);
    m_menus = new QMenuBar(this);
    m_menus->setNativeMenuBar(false);
    layout->setMenuBar(m_menus);

    m_header = new QFrame(this);
    m_header->setObjectName(names.header);
    m_header->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_header);

    m_editor = new QTextEdit(this);
    m_editor->setObjectName(names.editor);
    m_editor->setAcceptRichText(true);
    m_editor->setTabChangesFocus(false); // Tab types a tab in the document
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_editor, 1);

    const auto folder = [this] { return werkmap(); };
    m_open = new DocumentFileDialog(
        DocumentFileDialog::Kind::Open, names.openTitle, &context.documentFileName, folder,
        [this](const QString &path) { rtf::readFile(path, document()); }, this);
    m_open->setObjectName(names.openName);
    m_save = new DocumentFileDialog(
        DocumentFileDialog::Kind::Save, names.saveTitle, &context.documentFileName, folder,
        [this](const QString &path) {
            rtf::writeFile(*document(), path);
            document()->setModified(false);
        },
        this);
    m_save->setObjectName(names.saveName);

    // F10 opens the menus from the keyboard, wherever the focus is in the editor.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (!m_menus->isEnabled() || m_menus->actions().isEmpty())
            return;
        m_menus->setFocus(Qt::ShortcutFocusReason);
        m_menus->setActiveAction(m_menus->actions().constFirst());
    });
    resize(900, 700);
}

QTextDocument *DocumentEditor::document() const
{
    return m_editor->document();
}

QAction *DocumentEditor::menuItem(const QString &menu, const QString &item) const
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

QAction *DocumentEditor::addItem(QMenu *menu, const QString &caption, const std::function<void()> &work)
{
    QAction *action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, guarded(this, work));
    return action;
}

QMenu *DocumentEditor::addMenus(const QString &opslaanCaption, const QString &inlezenCaption, const QString &uitvoer)
{
    QMenu *files = m_menus->addMenu(QStringLiteral("Files"));
    m_opslaanItem = addItem(files, opslaanCaption, [this] { opslaan(); });
    addItem(files, inlezenCaption, [this] { inlezen(); });
    QAction *sluiten = files->addAction(QStringLiteral("Sluiten"));
    connect(sluiten, &QAction::triggered, this, [this] { sluitvenster(); });
    QMenu *opmaak = m_menus->addMenu(QStringLiteral("Opmaak"));
    addItem(opmaak, QStringLiteral("Font"), [this] { kiesfont(); });
    addItem(opmaak, QStringLiteral("Kleur"), [this] { kieskleur(); });
    QAction *blank = m_menus->addAction(QStringLiteral("    ")); // keeps the last menu apart; does nothing
    blank->setObjectName(QStringLiteral("scheiding"));
    return m_menus->addMenu(uitvoer);
}

QString DocumentEditor::werkmap() const
{
    return context().data ? context().data->werkmap() : QString();
}

void DocumentEditor::onClose()
{
    // A file dialog left open goes with the editor.
    for (DocumentFileDialog *dialog : {m_open, m_save})
        if (dialog->isVisible())
            dialog->reject();
}

void DocumentEditor::opslaan()
{
    if (document()->isModified())
        m_save->start();
}

void DocumentEditor::inlezen()
{
    m_open->start();
}

void DocumentEditor::kiesfont()
{
    zelk::kiesfont(m_editor);
}

void DocumentEditor::kieskleur()
{
    zelk::kieskleur(m_editor);
}

} // namespace zelk
