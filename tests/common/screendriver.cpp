#include "screendriver.h"

#include "core/main.h"
#include "core/startup.h"
#include "preview/previewwindow.h"
#include "report/reportexport.h"
#include "toolkit/amountfield.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/taskscreen.h"

#include <QApplication>
#include <QInputDialog>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace zelk::test {

TaskScreen *openFromMenu(Program &program, const QString &caption)
{
    HoverButton *button = program.mainMenu()->button(caption);
    if (!button || !button->isEnabled())
        return nullptr;
    button->click();
    auto *screen = qobject_cast<TaskScreen *>(QApplication::activeWindow());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<TaskScreen *>(w); s && s->isVisible())
            screen = s;
    if (screen)
        (void)QTest::qWaitForWindowActive(screen);
    return screen;
}

void typeAmount(AmountField *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void clickRadio(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void answerNextQuestion(QMessageBox::StandardButton answer, QString *asked)
{
    // The box runs its own event loop; poll until it is there.
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, asked] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            box && box->objectName() == QLatin1String("bevestiging")) {
            timer->stop();
            timer->deleteLater();
            if (asked)
                *asked = box->text();
            box->button(answer)->click();
        }
    });
    timer->start();
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(c));
        } else {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
        }
    }
}

QString printedText(QAbstractButton *button, const QString &path)
{
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
            if (preview->saveAs(path, ExportFormat::Text)) {
                QFile file(path);
                if (file.open(QIODevice::ReadOnly))
                    text = QString::fromUtf8(file.readAll());
            }
            QTest::keyClick(preview, Qt::Key_Escape);
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return text;
}

QStringList listed(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QAction *openMenusWithF10(QWidget *window, QWidget *editor, const QMenuBar *menus)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return nullptr;
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_F10);
    return menus->activeAction();
}

QList<QMessageBox *> messageBoxes(const QString &name)
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->objectName() == name && box->isVisible())
            boxes << box;
    return boxes;
}

QList<QMessageBox *> errorBoxes()
{
    return messageBoxes(QStringLiteral("foutmelding"));
}

PasswordAnswers::PasswordAnswers(std::optional<QString> answer) : answer(std::move(answer))
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        ++asked;
        labels << dialog->labelText();
        auto *field = dialog->findChild<QLineEdit *>();
        echo = field ? field->echoMode() : QLineEdit::Normal;
        if (!this->answer || !field) {
            dialog->reject();
            return;
        }
        field->selectAll();
        typeText(field, *this->answer);
        QTest::keyClick(field, Qt::Key_Return);
    });
    m_timer.start();
}

int redPixels(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 180 && c.green() < 60 && c.blue() < 60;
        }
    return count;
}

} // namespace zelk::test
