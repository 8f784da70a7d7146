// The mail server password of a program run where no keyring answers (no D-Bus session, as
// on a machine without a desktop): asked once in the password question and then known for
// the rest of the run; nothing asked without a login; a declined question gives nothing and
// asks again next time; a password the server refused is asked again; one stored from the
// settings screen is known at once; and none of it ever reaches a file. And a keyring that
// takes the question but never answers (a session bus where the desktop's wallet service
// keeps silent) counts as none: the question comes, and the program does not hang.
#include "screendriver.h"
#include "testhome.h"
#include "toolkit/mailwachtwoord.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDirIterator>
#include <QInputDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelk;

namespace {

// A wallet service that takes every call and never answers.
class SilentWallet : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &) override
    {
        m_unanswered << message;
        return true;
    }

private:
    QList<QDBusMessage> m_unanswered;
};

// The run of this test program in which the session bus has a silent wallet.
const char *silentRun = "ZELK_TEST_STILLE_SLEUTELBOS";

} // namespace

class TestMailwachtwoord : public QObject {
    Q_OBJECT
    QTemporaryDir config;
    QProcess bus;
    SilentWallet wallet;

    MailWachtwoord &wachtwoorden() { return MailWachtwoord::instance(); }

private Q_SLOTS:
    void initTestCase()
    {
        // Settings (were anything written through them) in a folder of this test.
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        if (!qEnvironmentVariableIsSet(silentRun)) {
            // No keyring: a session bus that is not there.
            qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + config.filePath(QStringLiteral("geen-bus")).toUtf8());
            return;
        }
        // A session bus of this test, on which a KDE desktop's wallet takes calls and keeps silent.
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        QVERIFY(bus.waitForStarted());
        QVERIFY(bus.waitForReadyRead(30000));
        const QByteArray address = bus.readLine().trimmed();
        QVERIFY(!address.isEmpty());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        qputenv("KDE_SESSION_VERSION", "5");
        QDBusConnection service = QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("stillewallet"));
        QVERIFY(service.isConnected());
        QVERIFY(service.registerVirtualObject(QStringLiteral("/modules/kwalletd5"), &wallet, QDBusConnection::SubPath));
        QVERIFY(service.registerService(QStringLiteral("org.kde.kwalletd5")));
    }
    void cleanupTestCase()
    {
        if (bus.state() != QProcess::NotRunning) {
            QDBusConnection::disconnectFromBus(QStringLiteral("stillewallet"));
            bus.terminate();
            bus.waitForFinished();
        }
    }

    // Runs silentKeyring() in a program run of its own (what a program learns about the
    // keyring holds for its whole run) and passes when it does.
    void aKeyringThatNeverAnswersCountsAsNone()
    {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(silentRun), QStringLiteral("1"));
        run.setProcessEnvironment(environment);
        run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("silentKeyring")});
        QVERIFY(run.waitForFinished(300000));
        const QString output = QString::fromUtf8(run.readAllStandardOutput());
        QVERIFY2(run.exitCode() == 0 && output.contains(QStringLiteral("PASS   : TestMailwachtwoord::silentKeyring()")),
                 qPrintable(output + QString::fromUtf8(run.readAllStandardError())));
    }
    void silentKeyring()
    {
        if (!qEnvironmentVariableIsSet(silentRun))
            QSKIP("runs in the program run that aKeyringThatNeverAnswersCountsAsNone starts");
        test::TestHome home;
        test::PasswordAnswers answers;
        answers.answer = QStringLiteral("Stil-Wachtwoord");
        // The keyring gets its few seconds, then the question comes; after that it is not
        // waited for again in this run.
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, QStringLiteral("smtp.stil.nl"), QStringLiteral("kas")),
                 std::optional<QString>(QStringLiteral("Stil-Wachtwoord")));
        QCOMPARE(answers.asked, 1);
        wachtwoorden().bewaar(QStringLiteral("smtp.stil.nl"), QStringLiteral("penning"), QStringLiteral("Ander-Wachtwoord"));
        answers.answer = QStringLiteral("niet gevraagd");
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, QStringLiteral("smtp.stil.nl"), QStringLiteral("penning")),
                 std::optional<QString>(QStringLiteral("Ander-Wachtwoord")));
        QCOMPARE(answers.asked, 1);
        QCOMPARE(test::filesHolding(home.path(), QStringLiteral("Stil-Wachtwoord")), QStringList());
        QCOMPARE(test::filesHolding(config.path(), QStringLiteral("Stil-Wachtwoord")), QStringList());
    }

    void withoutALoginNothingIsAsked()
    {
        test::PasswordAnswers answers;
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, QStringLiteral("smtp.dekeu.nl"), QString()), std::optional<QString>(QString()));
        QCOMPARE(answers.asked, 0);
    }

    void askedOncePerRun()
    {
        test::TestHome home;
        test::PasswordAnswers answers;
        answers.answer = QStringLiteral("Geheim-é-123");
        const QString server = QStringLiteral("smtp.dekeu.nl");
        const QString gebruiker = QStringLiteral("kas@dekeu.nl");
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, gebruiker), std::optional<QString>(QStringLiteral("Geheim-é-123")));
        QCOMPARE(answers.asked, 1);
        QCOMPARE(answers.labels.first(), QStringLiteral("Wachtwoord van kas@dekeu.nl op smtp.dekeu.nl:"));
        QCOMPARE(answers.echo, QLineEdit::Password);
        answers.answer = QStringLiteral("iets anders");
        for (int i = 0; i < 3; ++i)
            QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, gebruiker), std::optional<QString>(QStringLiteral("Geheim-é-123")));
        QCOMPARE(answers.asked, 1);
        // Another login on the same server is its own question.
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, QStringLiteral("secretaris@dekeu.nl")),
                 std::optional<QString>(QStringLiteral("iets anders")));
        QCOMPARE(answers.asked, 2);
        QCOMPARE(test::filesHolding(home.path(), QStringLiteral("Geheim-é-123")), QStringList());
        QCOMPARE(test::filesHolding(config.path(), QStringLiteral("Geheim-é-123")), QStringList());
    }

    void aDeclinedQuestionGivesNothingAndAsksAgain()
    {
        test::PasswordAnswers answers;
        const QString server = QStringLiteral("mail.voorbeeld.nl");
        const QString gebruiker = QStringLiteral("penningmeester");
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, gebruiker), std::nullopt);
        QCOMPARE(answers.asked, 1);
        answers.answer = QStringLiteral("nu wel");
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, gebruiker), std::optional<QString>(QStringLiteral("nu wel")));
        QCOMPARE(answers.asked, 2);
    }

    void aRefusedPasswordIsAskedAgain()
    {
        test::PasswordAnswers answers;
        answers.answer = QStringLiteral("fout");
        const QString server = QStringLiteral("smtp.fout.nl");
        const QString gebruiker = QStringLiteral("kas");
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, gebruiker), std::optional<QString>(QStringLiteral("fout")));
        wachtwoorden().vergeet(server, gebruiker);
        answers.answer = QStringLiteral("goed");
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, server, gebruiker), std::optional<QString>(QStringLiteral("goed")));
        QCOMPARE(answers.asked, 2);
    }

    void aStoredPasswordIsKnownWithoutAsking()
    {
        test::TestHome home;
        test::PasswordAnswers answers;
        answers.answer = QStringLiteral("niet gevraagd");
        wachtwoorden().bewaar(QStringLiteral("smtp.bewaard.nl"), QStringLiteral("kas"), QStringLiteral("Bewaard-Wachtwoord-9"));
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, QStringLiteral("smtp.bewaard.nl"), QStringLiteral("kas")),
                 std::optional<QString>(QStringLiteral("Bewaard-Wachtwoord-9")));
        QCOMPARE(answers.asked, 0);
        QCOMPARE(test::filesHolding(home.path(), QStringLiteral("Bewaard-Wachtwoord-9")), QStringList());
        QCOMPARE(test::filesHolding(config.path(), QStringLiteral("Bewaard-Wachtwoord-9")), QStringList());
    }
};

QTEST_MAIN(TestMailwachtwoord)
#include "test_mailwachtwoord.moc"
