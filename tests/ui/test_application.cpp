// An error that no screen handled ends in the error box; the program goes on. The
// screens' actions run through the guard, which shows the error before it reaches Qt.
#include "core/application.h"
#include "core/main.h"
#include "startedprogram.h"
#include "toolkit/appcontext.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/messages.h"
#include "toolkit/taskscreen.h"
#include "zelkerror.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace zelk;

namespace {

QMessageBox *shownErrorBox()
{
    QMessageBox *box = nullptr;
    [&] { QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))); }();
    return box;
}

// Reads the text of the error box that is shown, and closes it.
QString takeErrorBox()
{
    QMessageBox *box = shownErrorBox();
    if (!box)
        return {};
    const QString text = box->text();
    box->accept();
    return text;
}

class FailingScreen : public TaskScreen {
public:
    explicit FailingScreen(AppContext &context) : TaskScreen(context, QStringLiteral("proefscherm"), QStringLiteral("Proef")) { }
    int shows = 0;

protected:
    void onShow() override
    {
        ++shows;
        throw Error(QStringLiteral("De tabel rekeningen.db is niet geopend."));
    }
    void onClose() override { throw Error(QStringLiteral("De tabel leden.DB is in gebruik.")); }
};

class FailingReceiver : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw Error(QStringLiteral("De map bestaat niet."));
        return QObject::event(event);
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        while (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    }

    void aFailingActionIsShownAndTheProgramGoesOn_data()
    {
        QTest::addColumn<bool>("ownError");
        QTest::addColumn<QString>("shown");
        QTest::newRow("store error") << true << QStringLiteral("De tabel journaal.db is niet geopend.");
        QTest::newRow("unexpected error") << false << QStringLiteral("Onverwachte fout: schijf vol");
    }
    void aFailingActionIsShownAndTheProgramGoesOn()
    {
        QFETCH(bool, ownError);
        QFETCH(QString, shown);
        QPushButton button(QStringLiteral("Doorboeken"));
        int clicks = 0;
        connect(&button, &QPushButton::clicked, &button, guarded(&button, [&] {
            ++clicks;
            if (ownError)
                throw Error(QStringLiteral("De tabel journaal.db is niet geopend."));
            throw std::runtime_error("schijf vol");
        }));
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(takeErrorBox(), shown);
        QTest::mouseClick(&button, Qt::LeftButton); // still alive and answering
        QCOMPARE(takeErrorBox(), shown);
        QCOMPARE(clicks, 2);
        QVERIFY(!button.isDown());
    }

    void aScreenThatFailsWhileShowingOrClosingReportsItAndStaysUsable()
    {
        QWidget caller;
        caller.show();
        AppContext context;
        FailingScreen screen(context);
        screen.openFrom(&caller);
        QCOMPARE(takeErrorBox(), QStringLiteral("De tabel rekeningen.db is niet geopend."));
        QCOMPARE(screen.shows, 1);
        QVERIFY(screen.isVisible());
        QVERIFY(!caller.isVisible());
        screen.close();
        QCOMPARE(takeErrorBox(), QStringLiteral("De tabel leden.DB is in gebruik."));
        QVERIFY(!screen.isVisible()); // closed all the same, and the caller is back
        QVERIFY(caller.isVisible());
    }

    void aFailingMainMenuActionIsShownOverTheMenu()
    {
        test::StartedProgram app;
        zelk::main &menu = *app.program.mainMenu();
        app.program.context().actions.insert(QStringLiteral("printbalans"),
                                             [](QWidget *) { throw Error(QStringLiteral("Kan bestand logo.jpg niet openen")); });
        menu.enableAvailableButtons();
        HoverButton *balans = menu.button(QStringLiteral("Balans"));
        QVERIFY(balans && balans->isEnabled());
        QTest::mouseClick(balans, Qt::LeftButton);
        QMessageBox *box = shownErrorBox();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Kan bestand logo.jpg niet openen"));
        QCOMPARE(box->parentWidget(), &menu);
        box->accept();
        QVERIFY(menu.isVisible());
    }

    void qtsOwnDialogsSpeakDutch()
    {
        // The standard buttons of a message box and the file dialog's texts come from Qt.
        QMessageBox box(QMessageBox::Question, QStringLiteral("Zelk"), QStringLiteral("Doorgaan?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Save);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Nee"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuleren"));
        QCOMPARE(box.button(QMessageBox::Save)->text(), QStringLiteral("Opslaan"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Openen"));
    }

    void anErrorThatEscapedItsGuardIsStillShown()
    {
        // The last resort: reported as a fault, shown, and the program goes on.
        FailingReceiver receiver;
        QTest::ignoreMessage(QtCriticalMsg, "Zelk: an error left a screen action without passing its guard: De map bestaat niet.");
        QEvent event(QEvent::User);
        QCOMPARE(QApplication::sendEvent(&receiver, &event), false);
        QCOMPARE(takeErrorBox(), QStringLiteral("De map bestaat niet."));
    }
};

int main(int argc, char **argv)
{
    zelk::Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_application.moc"
