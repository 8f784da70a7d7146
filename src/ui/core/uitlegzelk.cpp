#include "uitlegzelk.h"

#include "helponderwerpen.h"
#include "rtf/rtf.h"
#include "toolkit/messages.h"
#include "toolkit/taskscreen.h"
#include "zelkerror.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFile>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextEdit>

namespace zelk {

uitlegzelk::uitlegzelk(const QString &helpFile, QWidget *parent) : QMainWindow(parent), m_helpFile(helpFile), m_editor(new QTextEdit(this))
{
    setObjectName(QStringLiteral("uitlegzelk"));
    setWindowTitle(QStringLiteral("Uitleg ZELK"));
    m_editor->setObjectName(QStringLiteral("uitleg"));
    m_editor->setAcceptRichText(true);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setCentralWidget(m_editor);
    buildMenus();
    resize(820, 600);
}

void uitlegzelk::buildMenus()
{
    QMenu *files = menuBar()->addMenu(QStringLiteral("Files"));
    files->setObjectName(QStringLiteral("files"));
    files->addAction(QStringLiteral("Opslaan"), this, &uitlegzelk::opslaan);
    files->addAction(QStringLiteral("Afdrukken"), this, &uitlegzelk::afdrukken);
    files->addAction(QStringLiteral("Sluiten"), this, &QWidget::close);

    QMenu *opmaak = menuBar()->addMenu(QStringLiteral("Opmaak"));
    opmaak->setObjectName(QStringLiteral("opmaak"));
    opmaak->addAction(QStringLiteral("Font"), this, &uitlegzelk::kiesFont);
    opmaak->addAction(QStringLiteral("Kleur"), this, &uitlegzelk::kiesKleur);

    buildTopicMenu();
}

void uitlegzelk::buildTopicMenu()
{
    QMenu *topics = menuBar()->addMenu(QStringLiteral("Zoek onderwerp"));
    topics->setObjectName(QStringLiteral("zoekonderwerp"));
    QHash<QString, QMenu *> submenus;
    for (const HelpOnderwerp &topic : helpOnderwerpen()) {
        QMenu *menu = topics;
        if (!topic.submenu.isEmpty()) {
            menu = submenus.value(topic.submenu);
            if (!menu)
                menu = submenus[topic.submenu] = topics->addMenu(topic.submenu);
        }
        // A topic item looks up its heading in the text as it is now: no reload.
        menu->addAction(topic.item, this, [this, heading = topic.heading] { lookUp(heading); });
    }
}

void uitlegzelk::openAt(const QString &heading)
{
    m_topic = heading;
    load();
    if (!isVisible()) {
        // Opens centred on the screen of the window whose "Help" was pressed, and never
        // larger than that screen's free area.
        const QWidget *from = QApplication::activeWindow();
        placeCentred(this, from ? from->screen() : screen());
    }
    show(); // runs the look-up when the viewer was hidden (see showEvent)
    raise();
    activateWindow();
}

void uitlegzelk::load()
{
    attempt(this, [&] {
        if (QFile::exists(m_helpFile)) {
            rtf::readFile(m_helpFile, m_editor->document());
        } else {
            rtf::writeFile(*m_editor->document(), m_helpFile);
            m_editor->document()->setModified(false);
        }
    });
    // Without a topic the text shows from its start.
    m_editor->moveCursor(QTextCursor::Start);
    m_editor->verticalScrollBar()->setValue(0);
}

void uitlegzelk::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_editor->setFocus(); // the arrow keys, Page Up and Page Down read on at once
    if (!m_topic.isEmpty())
        vindtekst();
}

void uitlegzelk::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the viewer, as "Sluiten" does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void uitlegzelk::closeEvent(QCloseEvent *event)
{
    m_topic.clear();
    QMainWindow::closeEvent(event);
}

void uitlegzelk::lookUp(const QString &heading)
{
    m_topic = heading;
    vindtekst();
}

void uitlegzelk::vindtekst()
{
    // From the end of the text, scrolling back to the heading puts it on the top line.
    m_editor->moveCursor(QTextCursor::End);
    m_editor->ensureCursorVisible();
    QScrollBar *scroll = m_editor->verticalScrollBar();
    scroll->setValue(scroll->maximum());

    const QTextCursor hit = m_editor->document()->find(m_topic, 0, QTextDocument::FindCaseSensitively);
    if (hit.isNull())
        return;
    m_editor->setFocus();
    QTextCursor caret(m_editor->document());
    caret.setPosition(hit.selectionStart());
    m_editor->setTextCursor(caret);
    m_editor->ensureCursorVisible();
}

void uitlegzelk::opslaan()
{
    if (!m_editor->document()->isModified())
        return;
    attempt(this, [&] {
        rtf::writeFile(*m_editor->document(), m_helpFile);
        m_editor->document()->setModified(false);
    });
}

void uitlegzelk::afdrukken()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void uitlegzelk::printTo(QPrinter &printer)
{
    printer.setDocName(m_helpFile);
    m_editor->document()->print(&printer);
}

void uitlegzelk::kiesFont()
{
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_editor->currentCharFormat().font(), this);
    if (chosen && m_editor->textCursor().hasSelection()) {
        QTextCharFormat format;
        format.setFont(font);
        m_editor->mergeCurrentCharFormat(format);
    }
    m_editor->setFocus();
}

void uitlegzelk::kiesKleur()
{
    const QColor colour = QColorDialog::getColor(m_editor->textColor(), this);
    if (colour.isValid() && m_editor->textCursor().hasSelection())
        m_editor->setTextColor(colour);
    m_editor->setFocus();
}

} // namespace zelk
