// The settings screen as the treasurer uses it: opened from the main menu, its texts and
// values, the e-mail fields stored on closing, the Dutch amount format on the return to the
// main menu, the choice of another administration, a new logo, a logo that cannot be shown,
// the association name in the caption at once, and a disk that is full when it closes; the
// mail server's port, encryption, login and certificate exception stored in mailserver.txt
// while the password reaches no file; and "Testbericht" against a real SMTP server.
#include "amountformat.h"
#include "core/instellingen.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "mail/mailserverinstelling.h"
#include "screendriver.h"
#include "testhome.h"
#include "smalldisk.h"
#include "smtptestserver.h"
#include "startedprogram.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/mailwachtwoord.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zelk;

namespace {
QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(ontbreekt)");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray picture(const char *format, QColor colour, QSize size = QSize(64, 40))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

void closeErrorBoxes()
{
    for (QMessageBox *box : test::errorBoxes())
        box->close();
    QTRY_VERIFY(test::errorBoxes().isEmpty());
}

// Types `path` into the file name field of the next "Laad logo" dialog as soon as it is
// shown and accepts it as "Openen" does, or cancels the dialog when `path` is empty.
void pickInNextFileDialog(const QString &path)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != u"logokiezen")
            return;
        timer->stop();
        timer->deleteLater();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    timer->start();
}


QStringList labelTexts(QWidget *screen)
{
    QStringList texts;
    for (QLabel *label : screen->findChildren<QLabel *>())
        texts << label->text().split(u'\n');
    return texts;
}
} // namespace

class TestInstellingen : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    QTemporaryDir config;

    zelk::main &menu() { return *app->program.mainMenu(); }
    DataModule1 &data() { return app->data(); }
    instellingen *open() { return qobject_cast<instellingen *>(test::openFromMenu(app->program, QStringLiteral("Instellingen"))); }
    static void closeWithButton(instellingen *screen) { screen->button(QStringLiteral("Sluit venster"))->click(); }

    // The mail settings of a sender at the test server on 127.0.0.1.
    static void fillInSender(instellingen *screen, const test::SmtpTestServer &server)
    {
        screen->emailAdres()->setText(QStringLiteral("kas@dekeu.nl"));
        screen->afzenderNaam()->setText(QStringLiteral("Penningmeester De Keu"));
        screen->emailAccount()->setText(QStringLiteral("127.0.0.1"));
        screen->poort()->setValue(server.port());
    }
    // Clicks "Testbericht" and waits until the answer is there (the window answers meanwhile).
    static void sendTest(instellingen *screen)
    {
        screen->button(QStringLiteral("Testbericht"))->click();
        QVERIFY(screen->testLoopt() || !screen->testantwoord()->text().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!screen->testLoopt(), 60000);
        QVERIFY(screen->button(QStringLiteral("Testbericht"))->isEnabled());
    }

private Q_SLOTS:
    void initTestCase()
    {
        // No keyring answers here (no session bus), and anything written through Qt's own
        // settings would land in a folder of this test.
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + config.filePath(QStringLiteral("geen-bus")).toUtf8());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    void init() { app = std::make_unique<test::StartedProgram>(); }
    void cleanup()
    {
        closeErrorBoxes();
        app.reset();
        AmountFormat::applyDutch(false);
    }

    void opensFromTheMenuWithItsTextsAndTheStoredValues()
    {
        QVERIFY(menu().button(QStringLiteral("Instellingen"))->isEnabled());
        instellingen *screen = open();
        QVERIFY(screen);
        QVERIFY(screen->isVisible());
        QVERIFY(!menu().isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Instellingen"));
        QCOMPARE(screen->helpHeading(), QStringLiteral("17. INSTELLINGEN"));
        QVERIFY(screen->button(QStringLiteral("Help")) && screen->button(QStringLiteral("Sluit venster")));
        QVERIFY(screen->button(QStringLiteral("Laad logo")) && screen->button(QStringLiteral("Kies")));
        QVERIFY(!screen->button(QStringLiteral("Zet over"))->isEnabled()); // nothing loaded yet
        QCOMPARE(screen->findChild<QGroupBox *>(QStringLiteral("administraties"))->title(), QStringLiteral("Kies een administrartie"));
        QStringList items;
        for (int item = 0; item < 5; ++item)
            items << screen->administratie(item)->text();
        QCOMPARE(items, (QStringList{"Zelk (standaard)", "Zelk01", "Zelk02", "Zelk03", "Zelk04"}));
        QVERIFY(screen->administratie(0)->isChecked());
        const QStringList texts = labelTexts(screen);
        for (const char *text :
             {"Huidig logo", "Er zijn 5 administraties te voeren", "De administraties bevinden zich in de", "E-mail adres", "Afzender naam",
              "E-mail account", "Naam vereniging", "Vul hierin de afzendernaam. Dit mag een willikeurige naam zijn.",
              "Voorbeeld: Penningmeester Altijd raak, of.......", "Hierin moet de servernaam komen voor uitgaande post (je provider)."})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
        // Where the administrations are on this machine, instead of a drive of another system.
        QCOMPARE(screen->rootLabel()->text(), QDir::toNativeSeparators(app->home.path()));
        QVERIFY(!texts.join(u' ').contains(QStringLiteral("C:")));
        QVERIFY(!texts.join(u' ').contains(QStringLiteral("utlook"), Qt::CaseInsensitive));
        QCOMPARE(screen->nederlands()->text(), QStringLiteral("Nederlandse invoer/weergave bedragen"));
        QCOMPARE(screen->printenLogo()->text(), QStringLiteral("Printen logo"));
        QCOMPARE(screen->printenLogoLinks()->text(), QStringLiteral("Printen logo links"));
        QCOMPARE(screen->printenLogoRechts()->text(), QStringLiteral("Printen logo rechts"));
        // The defaults of a new administration, and its logo shown.
        QVERIFY(screen->printenLogo()->isChecked() && screen->printenLogoLinks()->isChecked());
        QVERIFY(!screen->printenLogoRechts()->isChecked() && !screen->nederlands()->isChecked());
        QCOMPARE(screen->emailAdres()->text(), QString());
        QCOMPARE(screen->emailAdres()->maxLength(), 60);
        QCOMPARE(screen->afzenderNaam()->maxLength(), 40);
        QCOMPARE(screen->emailAccount()->maxLength(), 40);
        QVERIFY(!screen->huidigLogo()->pixmap().isNull());
        QCOMPARE(screen->caption()->text(), QStringLiteral("Contributieprogramma"));
        QVERIFY(test::errorBoxes().isEmpty());
        test::saveScreenshot(screen, QStringLiteral("instellingen"));
        closeWithButton(screen);
        QVERIFY(!screen->isVisible());
        QVERIFY(menu().isVisible());
    }

    void closingStoresTheSettingsAndReopeningShowsThem()
    {
        instellingen *screen = open();
        screen->emailAdres()->setText(QStringLiteral("penningmeester@dekeu.nl"));
        QTest::keyClicks(screen->afzenderNaam(), QStringLiteral("Penningmeester De Keu"));
        QTest::keyClicks(screen->emailAccount(), QStringLiteral("smtp.provider.nl"));
        screen->printenLogoLinks()->click();
        screen->printenLogoRechts()->click();
        closeWithButton(screen);
        const QByteArray instelling = bytesOf(data().werkmap() + QStringLiteral("/instelling.dat"));
        QCOMPARE(instelling.size(), 146);
        QCOMPARE(instelling.mid(3, 24), QByteArray("\x17penningmeester@dekeu.nl"));
        QCOMPARE(instelling.left(3), QByteArray("\x01\x00\x01", 3));
        QVERIFY(!data().settings.logoLinks && data().settings.logoRechts); // what reports use

        screen = open();
        QCOMPARE(screen->emailAdres()->text(), QStringLiteral("penningmeester@dekeu.nl"));
        QCOMPARE(screen->afzenderNaam()->text(), QStringLiteral("Penningmeester De Keu"));
        QCOMPARE(screen->emailAccount()->text(), QStringLiteral("smtp.provider.nl"));
        QVERIFY(!screen->printenLogoLinks()->isChecked() && screen->printenLogoRechts()->isChecked());

        // The window's close box (or Escape) stores as well.
        screen->emailAccount()->setText(QStringLiteral("mail.andere.nl"));
        screen->close();
        QVERIFY(menu().isVisible());
        QCOMPARE(data().settings.instelling.smtpServer(), QStringLiteral("mail.andere.nl"));
        screen = open();
        QTest::keyClick(screen, Qt::Key_Escape);
        QVERIFY(!screen->isVisible());
        QVERIFY(test::errorBoxes().isEmpty());
    }

    void theDutchAmountFormatAppliesOnTheReturnToTheMainMenu()
    {
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1,234.50"));
        instellingen *screen = open();
        screen->nederlands()->click();
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1,234.50")); // not before closing
        closeWithButton(screen);
        QVERIFY(menu().isVisible());
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1.234,50"));
        QCOMPARE(bytesOf(data().werkmap() + QStringLiteral("/konfigur.dat")).at(0), '\x01');
        screen = open();
        QVERIFY(screen->nederlands()->isChecked());
        screen->nederlands()->click();
        closeWithButton(screen);
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1,234.50"));
    }

    void kiesSwitchesToAnotherAdministrationWithItsOwnSettings()
    {
        data().setVerenigingsnaam(QStringLiteral("Biljartvereniging De Keu"));
        menu().runShowSteps();
        instellingen *screen = open();
        QCOMPARE(screen->caption()->text(), QStringLiteral("Vereniging administratie van Biljartvereniging De Keu"));
        screen->emailAdres()->setText(QStringLiteral("kas@dekeu.nl")); // typed, not yet stored
        test::clickRadio(screen->administratie(1));
        QVERIFY(screen->administratie(1)->isChecked());
        screen->button(QStringLiteral("Kies"))->click();

        QCOMPARE(data().werkmap(), app->home.administration(1));
        QCOMPARE(menu().statusPanel(2)->text(), app->home.administration(1));
        QCOMPARE(menu().statusPanel(4)->text(), QStringLiteral("0"));
        QCOMPARE(menu().windowTitle(), QStringLiteral("Contributieprogramma"));
        QCOMPARE(screen->caption()->text(), QStringLiteral("Contributieprogramma"));
        QVERIFY(data().journaaltabel.isOpen() && data().ledentabel.isOpen());
        // Zelk01's own settings: defaults, as it has none yet.
        QCOMPARE(screen->emailAdres()->text(), QString());
        QCOMPARE(screen->naamVereniging()->text(), QString());
        QVERIFY(screen->printenLogo()->isChecked() && !screen->printenLogoRechts()->isChecked());
        QVERIFY(screen->administratie(1)->isChecked());
        QVERIFY(QFile::exists(app->home.administration(1) + QStringLiteral("/instelling.dat")));
        QCOMPARE(screen->button(QStringLiteral("Kies"))->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        // Its own logo, which a new administration gets, shows without an error.
        QCOMPARE(data().settings.logoPad, app->home.administration(1) + QStringLiteral("/lidbedraglogo.jpg"));
        QVERIFY(!screen->huidigLogo()->pixmap().isNull());
        QTest::qWait(20);
        QVERIFY(test::errorBoxes().isEmpty());
        // What was typed in the administration left was stored there before the switch.
        QCOMPARE(bytesOf(app->home.administration(0) + QStringLiteral("/instelling.dat")).mid(3, 13), QByteArray("\x0ckas@dekeu.nl"));

        screen->emailAdres()->setText(QStringLiteral("kas@zelk01.nl"));
        test::clickRadio(screen->administratie(0));
        screen->button(QStringLiteral("Kies"))->click();
        QCOMPARE(data().werkmap(), app->home.administration(0));
        QCOMPARE(screen->emailAdres()->text(), QStringLiteral("kas@dekeu.nl"));
        QCOMPARE(screen->naamVereniging()->text(), QStringLiteral("Biljartvereniging De Keu"));
        QCOMPARE(menu().windowTitle(), QStringLiteral("Vereniging administratie van Biljartvereniging De Keu"));
        QCOMPARE(screen->caption()->text(), menu().windowTitle());
        QVERIFY(test::errorBoxes().isEmpty());
        closeWithButton(screen);
        QCOMPARE(bytesOf(app->home.administration(1) + QStringLiteral("/instelling.dat")).mid(3, 14), QByteArray("\x0dkas@zelk01.nl"));
    }

    void openingInZelk03SelectsZelk03()
    {
        data().switchAdministration(3);
        instellingen *screen = open();
        QVERIFY(screen->administratie(3)->isChecked());
        QVERIFY(!screen->administratie(0)->isChecked());
        QVERIFY(test::errorBoxes().isEmpty());
        closeWithButton(screen);
    }

    void laadLogoAndZetOverPutTheBitmapIntoTheAdministration()
    {
        QTemporaryDir dir;
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        writeBytes(bmp, picture("BMP", QColor(200, 30, 30)));
        instellingen *screen = open();
        const QByteArray logonaam = bytesOf(data().werkmap() + QStringLiteral("/logonaam.dat"));

        pickInNextFileDialog(QString()); // cancelled: nothing changes
        screen->button(QStringLiteral("Laad logo"))->click();
        QVERIFY(screen->nieuwLogo()->pixmap().isNull());
        QVERIFY(!screen->button(QStringLiteral("Zet over"))->isEnabled());

        pickInNextFileDialog(bmp);
        screen->button(QStringLiteral("Laad logo"))->click();
        QVERIFY(!screen->nieuwLogo()->pixmap().isNull());
        QCOMPARE(screen->nieuwLogo()->pixmap().toImage().pixelColor(5, 5), QColor(200, 30, 30));
        QVERIFY(screen->button(QStringLiteral("Zet over"))->isEnabled());
        QCOMPARE(bytesOf(data().werkmap() + QStringLiteral("/logonaam.dat")), logonaam); // not before "Zet over"

        screen->button(QStringLiteral("Zet over"))->click();
        const QString target = data().werkmap() + QStringLiteral("/lidbedraglogo.bmp");
        QCOMPARE(bytesOf(target), bytesOf(bmp));
        QCOMPARE(data().settings.logoPad, target);
        const QByteArray stored = bytesOf(data().werkmap() + QStringLiteral("/logonaam.dat"));
        QCOMPARE(stored.mid(1, static_cast<unsigned char>(stored.at(0))), target.toUtf8());
        QCOMPARE(screen->huidigLogo()->pixmap().toImage().pixelColor(5, 5), QColor(200, 30, 30));
        QVERIFY(test::errorBoxes().isEmpty());
        closeWithButton(screen);
    }

    void aLogoThatCannotBeLoadedIsSaidOnceAndTheRestIsFilledIn()
    {
        data().settings.instelling.setEmailAdres(QStringLiteral("kas@dekeu.nl"));
        data().writeInstelling();
        writeBytes(data().werkmap() + QStringLiteral("/lidbedraglogo.jpg"), "dit is geen plaatje\n");
        instellingen *screen = open();
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QTest::qWait(50);
        QCOMPARE(test::errorBoxes().size(), 1);
        QCOMPARE(test::errorBoxes().first()->text(),
                 QStringLiteral("De afbeelding %1/lidbedraglogo.jpg kan niet worden geladen: het is geen afbeelding die het programma "
                                "kan lezen, of het bestand is beschadigd.")
                     .arg(data().werkmap()));
        QCOMPARE(screen->emailAdres()->text(), QStringLiteral("kas@dekeu.nl"));
        QVERIFY(screen->printenLogo()->isChecked());
        QVERIFY(screen->administratie(0)->isChecked());
        QVERIFY(screen->huidigLogo()->pixmap().isNull());
        closeErrorBoxes();

        // A picture that cannot be loaded leaves "Zet over" as it was.
        QTemporaryDir dir;
        const QString notAPicture = dir.filePath(QStringLiteral("logo.bmp"));
        writeBytes(notAPicture, "BM maar niet echt");
        QVERIFY(!screen->laadlogo(notAPicture));
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QVERIFY(!screen->button(QStringLiteral("Zet over"))->isEnabled());
        QVERIFY(screen->nieuwLogo()->pixmap().isNull());
        closeErrorBoxes();
        closeWithButton(screen);
    }

    void theAssociationNameShowsInTheCaptionAtOnce()
    {
        instellingen *screen = open();
        QLineEdit *name = screen->naamVereniging();
        QCOMPARE(name->maxLength(), 40);
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Harmonie Sint-Cecilia"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(screen->isVisible());
        QCOMPARE(menu().windowTitle(), QStringLiteral("Vereniging administratie van Harmonie Sint-Cecilia"));
        QCOMPARE(screen->caption()->text(), menu().windowTitle());
        QCOMPARE(bytesOf(data().werkmap() + QStringLiteral("/vereniging.txt")), QByteArray("Harmonie Sint-Cecilia\n"));

        // At most 40 characters.
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Schaakclub De Witte Dame uit Oud-Beijerland en omstreken"));
        QCOMPARE(name->text(), QStringLiteral("Schaakclub De Witte Dame uit Oud-Beijerl"));
        closeWithButton(screen); // leaving the field stores it too
        QCOMPARE(data().settings.verenigingsnaam, QStringLiteral("Schaakclub De Witte Dame uit Oud-Beijerl"));
        QCOMPARE(menu().windowTitle(), QStringLiteral("Vereniging administratie van Schaakclub De Witte Dame uit Oud-Beijerl"));
        QVERIFY(test::errorBoxes().isEmpty());
    }

    void aFullDiskOnClosingIsSaidAndNothingStoredIsLost()
    {
        app.reset();
        test::TestHome home;
        test::SmallDisk disk(home.path());
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        Program program(false);
        program.mainMenu()->show();
        DataModule1 &data = *program.context().data;
        data.setVerenigingsnaam(QStringLiteral("HSV Het Dobbertje"));
        data.settings.instelling.setEmailAdres(QStringLiteral("oud@dobbertje.nl"));
        data.writeInstelling();
        const QString werkmap = data.werkmap();
        const QStringList files = {QStringLiteral("instelling.dat"), QStringLiteral("konfigur.dat"), QStringLiteral("logonaam.dat"),
                                   QStringLiteral("vereniging.txt"), QStringLiteral("lidbedraglogo.jpg")};
        QMap<QString, QByteArray> before;
        for (const QString &file : files)
            before.insert(file, bytesOf(werkmap + u'/' + file));

        auto *screen = qobject_cast<instellingen *>(test::openFromMenu(program, QStringLiteral("Instellingen")));
        QVERIFY(screen);
        QVERIFY(disk.fill());
        screen->emailAdres()->setText(QStringLiteral("nieuw@dobbertje.nl"));
        screen->naamVereniging()->setText(QStringLiteral("Hengelsportvereniging Het Dobbertje"));
        screen->nederlands()->click();
        closeWithButton(screen);
        QTRY_VERIFY(!test::errorBoxes().isEmpty());
        QCOMPARE(test::errorBoxes().size(), 1);
        QVERIFY2(
            test::errorBoxes().first()->text().contains(QStringLiteral("kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar.")),
            qPrintable(test::errorBoxes().first()->text()));
        // The screen stays open with what was typed; every file keeps what it held.
        QVERIFY(screen->isVisible());
        QVERIFY(!program.mainMenu()->isVisible());
        QCOMPARE(screen->emailAdres()->text(), QStringLiteral("nieuw@dobbertje.nl"));
        for (const QString &file : files)
            QVERIFY2(bytesOf(werkmap + u'/' + file) == before.value(file), qPrintable(file));
        QCOMPARE(QDir(werkmap).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("dat.")), QStringList());
        closeErrorBoxes();

        // With room again the same click stores everything.
        disk.free();
        closeWithButton(screen);
        QVERIFY(!screen->isVisible());
        QVERIFY(program.mainMenu()->isVisible());
        QVERIFY(test::errorBoxes().isEmpty());
        QCOMPARE(bytesOf(werkmap + QStringLiteral("/instelling.dat")).mid(3, 19), QByteArray("\x12nieuw@dobbertje.nl"));
        QCOMPARE(program.mainMenu()->windowTitle(), QStringLiteral("Vereniging administratie van Hengelsportvereniging Het Dobbertje"));
        QCOMPARE(AmountFormat::current().display(-1234.5), QStringLiteral("-1.234,50"));
    }

    void theMailServerSettingsAreStoredButNeverThePassword()
    {
        instellingen *screen = open();
        QVERIFY(screen);
        const QStringList texts = labelTexts(screen);
        for (const char *text : {"Poort", "Beveiliging", "Gebruikersnaam", "Wachtwoord"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
        // The defaults: port 25, no encryption, no login, no exception.
        QCOMPARE(screen->poort()->value(), 25);
        QCOMPARE(screen->poort()->minimum(), 1);
        QCOMPARE(screen->poort()->maximum(), 65535);
        QStringList kinds;
        for (int i = 0; i < screen->beveiliging()->count(); ++i)
            kinds << screen->beveiliging()->itemText(i);
        QCOMPARE(kinds, (QStringList{"geen", "STARTTLS", "SSL-TLS"}));
        QCOMPARE(screen->beveiliging()->currentText(), QStringLiteral("geen"));
        QVERIFY(screen->gebruikersnaam()->text().isEmpty());
        QCOMPARE(screen->wachtwoord()->echoMode(), QLineEdit::Password);
        QVERIFY(!screen->uitzondering()->isChecked());
        QVERIFY(screen->button(QStringLiteral("Testbericht")));
        closeWithButton(screen);
        // Nothing changed: no file made for the defaults.
        QVERIFY(!QFile::exists(data().werkmap() + QStringLiteral("/mailserver.txt")));

        const QString password = QStringLiteral("Zeer-Geheim-Wachtwoord-ë7");
        screen = open();
        screen->emailAccount()->setText(QStringLiteral("smtp.dekeu.nl"));
        screen->poort()->setValue(587);
        screen->beveiliging()->setCurrentIndex(1);
        screen->gebruikersnaam()->setText(QStringLiteral("kas@dekeu.nl"));
        screen->wachtwoord()->setFocus();
        test::typeText(screen->wachtwoord(), password);
        screen->uitzondering()->click();
        closeWithButton(screen);
        QVERIFY(test::errorBoxes().isEmpty());

        const mail::MailserverInstelling stored = mail::lees(data().werkmap());
        QCOMPARE(stored.poort, 587);
        QCOMPARE(stored.beveiliging, mail::Beveiliging::StartTls);
        QCOMPARE(stored.gebruiker, QStringLiteral("kas@dekeu.nl"));
        QCOMPARE(stored.uitzondering, QStringLiteral("smtp.dekeu.nl"));
        // The three settings files keep their exact sizes.
        QCOMPARE(bytesOf(data().werkmap() + QStringLiteral("/instelling.dat")).size(), 146);
        QCOMPARE(bytesOf(data().werkmap() + QStringLiteral("/logonaam.dat")).size(), 201);
        QCOMPARE(bytesOf(data().werkmap() + QStringLiteral("/konfigur.dat")).size(), 416);
        QCOMPARE(test::filesHolding(app->home.path(), password), QStringList());
        QCOMPARE(test::filesHolding(config.path(), password), QStringList());
        // Known for the rest of this run without asking.
        QCOMPARE(MailWachtwoord::instance().wachtwoord(nullptr, QStringLiteral("smtp.dekeu.nl"), QStringLiteral("kas@dekeu.nl")),
                 std::optional<QString>(password));

        screen = open();
        QCOMPARE(screen->poort()->value(), 587);
        QCOMPARE(screen->beveiliging()->currentText(), QStringLiteral("STARTTLS"));
        QCOMPARE(screen->gebruikersnaam()->text(), QStringLiteral("kas@dekeu.nl"));
        QVERIFY(screen->wachtwoord()->text().isEmpty()); // never shown again
        QVERIFY(screen->uitzondering()->isChecked());
        // The exception belongs to that one server: typing another name lets it go.
        screen->emailAccount()->setFocus();
        screen->emailAccount()->selectAll();
        QTest::keyClicks(screen->emailAccount(), QStringLiteral("smtp.ander.nl"));
        QVERIFY(!screen->uitzondering()->isChecked());
        closeWithButton(screen);
        QCOMPARE(mail::lees(data().werkmap()).uitzondering, QString());
        QCOMPARE(test::filesHolding(app->home.path(), password), QStringList());
    }

    void theMailServerSettingsBelongToTheirAdministration()
    {
        instellingen *screen = open();
        screen->poort()->setValue(2525);
        test::clickRadio(screen->administratie(2));
        screen->button(QStringLiteral("Kies"))->click();
        QCOMPARE(data().werkmap(), app->home.administration(2));
        QCOMPARE(screen->poort()->value(), 25);
        QCOMPARE(mail::lees(app->home.administration(0)).poort, 2525);
        test::clickRadio(screen->administratie(0));
        screen->button(QStringLiteral("Kies"))->click();
        QCOMPARE(screen->poort()->value(), 2525);
        closeWithButton(screen);
        QVERIFY(test::errorBoxes().isEmpty());
    }

    void testberichtGoesToTheSendersOwnAddress()
    {
        test::SmtpTestServer server;
        instellingen *screen = open();
        fillInSender(screen, server);
        sendTest(screen);
        QVERIFY2(screen->testantwoord()->text().startsWith(QStringLiteral("Verstuurd. Antwoord van de server: 250")),
                 qPrintable(screen->testantwoord()->text()));
        QVERIFY(test::errorBoxes().isEmpty());
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(server.recipients(0), QStringList{"kas@dekeu.nl"});
        QVERIFY(test::headerValue(server.messages().first(), "From").contains("kas@dekeu.nl"));
        // Nothing is stored by the test itself.
        QCOMPARE(data().settings.instelling.smtpServer(), QString());
        closeWithButton(screen);
    }

    void testberichtShowsTheServersRefusal()
    {
        test::SmtpTestServer server({QStringLiteral("--reject"), QStringLiteral("kas@dekeu.nl")});
        instellingen *screen = open();
        fillInSender(screen, server);
        sendTest(screen);
        QCOMPARE(screen->testantwoord()->text(), QStringLiteral("Niet verstuurd."));
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QVERIFY2(test::errorBoxes().first()->text().contains(QStringLiteral("550")), qPrintable(test::errorBoxes().first()->text()));
        QCOMPARE(server.messages().size(), 0);
        closeErrorBoxes();

        // Without the sender's address there is nobody to send it to.
        screen->emailAdres()->clear();
        sendTest(screen);
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QCOMPARE(test::errorBoxes().first()->text(), QStringLiteral("Er is nog geen e-mailadres van de afzender ingevuld bij \"E-mail adres\"."));
        closeErrorBoxes();
        closeWithButton(screen);
    }

    void testberichtLogsInAndHonoursTheCertificateException()
    {
        test::TestCertificates certificates;
        test::SmtpTestServer server({QStringLiteral("--mode"), QStringLiteral("ssl"), QStringLiteral("--cert"), certificates.vreemdCert,
                                     QStringLiteral("--key"), certificates.vreemdKey, QStringLiteral("--login"),
                                     QStringLiteral("kas:Test-Wachtwoord")});
        instellingen *screen = open();
        fillInSender(screen, server);
        screen->beveiliging()->setCurrentIndex(2);
        screen->gebruikersnaam()->setText(QStringLiteral("kas"));
        screen->wachtwoord()->setText(QStringLiteral("Test-Wachtwoord"));
        // A certificate nobody signed is refused without the exception.
        sendTest(screen);
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QVERIFY2(test::errorBoxes().first()->text().contains(QStringLiteral("niet vertrouwd")), qPrintable(test::errorBoxes().first()->text()));
        closeErrorBoxes();
        QCOMPARE(server.messages().size(), 0);
        // With it, the message goes, logged in with the password typed.
        screen->uitzondering()->click();
        sendTest(screen);
        QVERIFY2(screen->testantwoord()->text().startsWith(QStringLiteral("Verstuurd.")), qPrintable(screen->testantwoord()->text()));
        QCOMPARE(server.messages().size(), 1);
        closeWithButton(screen);
        QCOMPARE(mail::lees(data().werkmap()).uitzondering, QStringLiteral("127.0.0.1"));
        QCOMPARE(test::filesHolding(app->home.path(), QStringLiteral("Test-Wachtwoord")), QStringList());
    }

    // A kept password the server refuses is forgotten: the next test message asks for it.
    void aRefusedKeptPasswordIsAskedForAgain()
    {
        test::TestCertificates certificates;
        test::SmtpTestServer server({QStringLiteral("--mode"), QStringLiteral("ssl"), QStringLiteral("--cert"), certificates.vreemdCert,
                                     QStringLiteral("--key"), certificates.vreemdKey, QStringLiteral("--login"),
                                     QStringLiteral("penning:Goed-Wachtwoord")});
        instellingen *screen = open();
        fillInSender(screen, server);
        screen->beveiliging()->setCurrentIndex(2);
        if (!screen->uitzondering()->isChecked())
            screen->uitzondering()->click();
        screen->gebruikersnaam()->setText(QStringLiteral("penning"));
        screen->wachtwoord()->setText(QStringLiteral("Oud-Wachtwoord"));
        closeWithButton(screen); // keeps the password for this run

        screen = open();
        QVERIFY(screen->wachtwoord()->text().isEmpty());
        test::PasswordAnswers answers(QStringLiteral("Goed-Wachtwoord"));
        sendTest(screen);
        QCOMPARE(answers.asked, 0); // the kept one was used, and refused
        QCOMPARE(screen->testantwoord()->text(), QStringLiteral("Niet verstuurd."));
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        QVERIFY2(test::errorBoxes().first()->text().contains(QStringLiteral("weigerde de gebruikersnaam of het wachtwoord")),
                 qPrintable(test::errorBoxes().first()->text()));
        closeErrorBoxes();
        sendTest(screen);
        QCOMPARE(answers.asked, 1);
        QVERIFY2(screen->testantwoord()->text().startsWith(QStringLiteral("Verstuurd.")), qPrintable(screen->testantwoord()->text()));
        QCOMPARE(server.messages().size(), 1);
        closeWithButton(screen);
    }

    void theWindowKeepsAnsweringWhileTheTestMessageIsOnItsWay()
    {
        // A server that takes the connection but never says a word.
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(listener >= 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QCOMPARE(::listen(listener, 4), 0);
        socklen_t length = sizeof address;
        QCOMPARE(::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length), 0);

        instellingen *screen = open();
        screen->emailAdres()->setText(QStringLiteral("kas@dekeu.nl"));
        screen->emailAccount()->setText(QStringLiteral("127.0.0.1"));
        screen->poort()->setValue(ntohs(address.sin_port));
        screen->button(QStringLiteral("Testbericht"))->click();
        // The click came back while the server is still silent: the message is on its way
        // beside the window, which goes on taking what the treasurer types.
        QVERIFY(screen->testLoopt());
        QVERIFY(!screen->button(QStringLiteral("Testbericht"))->isEnabled());
        QCOMPARE(screen->testantwoord()->text(), QStringLiteral("Het testbericht wordt verstuurd naar kas@dekeu.nl …"));
        screen->afzenderNaam()->setFocus();
        QTest::keyClicks(screen->afzenderNaam(), QStringLiteral("Penningmeester"));
        QCOMPARE(screen->afzenderNaam()->text(), QStringLiteral("Penningmeester"));
        // The server goes away: the connection breaks off and that is said.
        ::close(listener);
        QTRY_VERIFY_WITH_TIMEOUT(!screen->testLoopt(), 120000);
        QCOMPARE(screen->testantwoord()->text(), QStringLiteral("Niet verstuurd."));
        QTRY_COMPARE(test::errorBoxes().size(), 1);
        closeErrorBoxes();
        closeWithButton(screen);
    }
};

QTEST_MAIN(TestInstellingen)
#include "test_instellingen.moc"
