#include "messages.h"

#include "zelkerror.h"

#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <algorithm>

namespace zelk {

namespace {
// The button that opens and closes the details of a box speaks Dutch: Qt's own label is
// set again by the box on every click, so ours follows it.
void sayDetailsInDutch(QMessageBox *box)
{
    for (QAbstractButton *button : box->buttons()) {
        if (box->buttonRole(button) != QMessageBox::ActionRole)
            continue;
        button->setObjectName(QStringLiteral("details"));
        // Qt sizes the button for its own labels; ours are longer.
        QStyleOptionButton option;
        option.initFrom(button);
        const QString longest = QStringLiteral("Details verbergen…");
        button->setMinimumWidth(
            button->style()
                ->sizeFromContents(QStyle::CT_PushButton, &option,
                                   QSize(button->fontMetrics().horizontalAdvance(longest), button->fontMetrics().height()), button)
                .width());
        const auto relabel = [box, button] {
            const auto *details = box->findChild<QTextEdit *>();
            button->setText(details && details->isVisible() ? QStringLiteral("Details verbergen…") : QStringLiteral("Details tonen…"));
        };
        relabel();
        QObject::connect(button, &QAbstractButton::clicked, box, relabel);
    }
}

// A box narrows its text to 500 pixels, so that a list of long lines (problems with their
// line numbers) wraps each line and grows taller than the screen. Its text may take the
// width of its longest line instead, up to 800 pixels.
void widenForLongLines(QMessageBox *box, const QString &message)
{
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label || !message.contains(u'\n'))
        return;
    int longest = 0;
    for (const QString &line : message.split(u'\n'))
        longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
    label->setMinimumWidth(std::min(longest + 8, 800));
}

// A box that does not wait for its OK, so the steps around it go on.
void openBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &objectName, const QString &message,
             const QString &details = {})
{
    auto *box = new QMessageBox(icon, title, message, QMessageBox::Ok, parent);
    box->setObjectName(objectName);
    if (!details.isEmpty())
        box->setDetailedText(details);
    widenForLongLines(box, message);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
    if (!details.isEmpty())
        sayDetailsInDutch(box);
}

// A details area of many thousands of lines takes long to lay out and helps nobody.
constexpr qsizetype mostInDetails = 10000;

// The text of a box listing problems, and its details (empty when every problem is in the text).
std::pair<QString, QString> problemTexts(const QString &intro, const QStringList &problems, int total)
{
    total = std::max<int>(total, static_cast<int>(problems.size()));
    const QStringList shown = problems.mid(0, problemsShown);
    QString text = intro;
    if (!shown.isEmpty())
        text += u'\n' + shown.join(u'\n');
    if (total <= shown.size())
        return {text, {}};
    const QLocale dutch(QLocale::Dutch);
    text += QStringLiteral("\n… en nog %1. ").arg(dutch.toString(total - shown.size()));
    const qsizetype inDetails = std::min<qsizetype>(problems.size(), mostInDetails);
    text += inDetails < total ? QStringLiteral("Onder Details staan de eerste %1.").arg(dutch.toString(inDetails))
                              : QStringLiteral("Onder Details staan ze allemaal.");
    QString details = problems.mid(0, mostInDetails).join(u'\n');
    if (problems.size() > mostInDetails)
        details += QStringLiteral("\n… en nog %1.").arg(dutch.toString(total - mostInDetails));
    return {text, details};
}
} // namespace

void showError(QWidget *parent, const QString &message)
{
    QStringList lines = message.split(u'\n');
    if (lines.size() > problemsShown + 1) {
        const QString intro = lines.takeFirst();
        showProblems(parent, intro, lines);
        return;
    }
    openBox(parent, QMessageBox::Critical, QStringLiteral("Fout"), QStringLiteral("foutmelding"), message);
}

void showProblems(QWidget *parent, const QString &intro, const QStringList &problems, int total)
{
    const auto [text, details] = problemTexts(intro, problems, total);
    openBox(parent, QMessageBox::Critical, QStringLiteral("Fout"), QStringLiteral("foutmelding"), text, details);
}

bool attempt(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &failure) {
        showError(parent, errorText(failure));
        return false;
    }
}

void showWarning(QWidget *parent, const QString &message)
{
    openBox(parent, QMessageBox::Warning, QStringLiteral("Let op"), QStringLiteral("waarschuwing"), message);
}

bool confirm(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bevestiging"), question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("bevestiging"));
    box.setDefaultButton(QMessageBox::No);
    box.setButtonText(QMessageBox::Yes, QStringLiteral("&Ja"));
    box.setButtonText(QMessageBox::No, QStringLiteral("&Nee"));
    return box.exec() == QMessageBox::Yes;
}

QString errorText(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const Error *>(&error))
        return own->message();
    return QStringLiteral("Onverwachte fout: ") + QString::fromUtf8(error.what());
}

void runGuarded(QWidget *where, const std::function<void()> &action)
{
    attempt(where, action);
}

} // namespace zelk
