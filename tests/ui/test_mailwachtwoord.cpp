// The mail server password of a program run where no keyring answers (no D-Bus session, as
// on a machine without a desktop): asked once in the password question and then known for
// the rest of the run; nothing asked without a login; a declined question gives nothing and
// asks again next time; a password the server refused is asked again; one stored from the
// settings screen is known at once; and none of it ever reaches a file.
#include "screendriver.h"
#include "testhome.h"
#include "toolkit/mailwachtwoord.h"

#include <QApplication>
#include <QDirIterator>
#include <QInputDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelk;

namespace {
// Answers every password question of the program while it lives: types `answer` and
// presses OK, or cancels when no answer is set. Counts the questions and keeps their texts.
class PasswordAnswers {
public:
    PasswordAnswers()
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
            if (!answer) {
                dialog->reject();
                return;
            }
            field->selectAll();
            test::typeText(field, *answer);
            QTest::keyClick(field, Qt::Key_Return);
        });
        m_timer.start();
    }
    std::optional<QString> answer;
    int asked = 0;
    QStringList labels;
    QLineEdit::EchoMode echo = QLineEdit::Normal;

private:
    QTimer m_timer;
};

// Whether `text` stands in any file under `folder`, in UTF-8 or UTF-16.
QStringList filesHolding(const QString &folder, const QString &text)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        if (bytes.contains(text.toUtf8()) || bytes.contains(utf16))
            found << file.fileName();
    }
    return found;
}
} // namespace

class TestMailwachtwoord : public QObject {
    Q_OBJECT
    QTemporaryDir config;

    MailWachtwoord &wachtwoorden() { return MailWachtwoord::instance(); }

private Q_SLOTS:
    void initTestCase()
    {
        // No keyring: a session bus that is not there, and settings (were anything written
        // through them) in a folder of this test.
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + config.filePath(QStringLiteral("geen-bus")).toUtf8());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }

    void withoutALoginNothingIsAsked()
    {
        PasswordAnswers answers;
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, QStringLiteral("smtp.dekeu.nl"), QString()), std::optional<QString>(QString()));
        QCOMPARE(answers.asked, 0);
    }

    void askedOncePerRun()
    {
        test::TestHome home;
        PasswordAnswers answers;
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
        QCOMPARE(filesHolding(home.path(), QStringLiteral("Geheim-é-123")), QStringList());
        QCOMPARE(filesHolding(config.path(), QStringLiteral("Geheim-é-123")), QStringList());
    }

    void aDeclinedQuestionGivesNothingAndAsksAgain()
    {
        PasswordAnswers answers;
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
        PasswordAnswers answers;
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
        PasswordAnswers answers;
        answers.answer = QStringLiteral("niet gevraagd");
        wachtwoorden().bewaar(QStringLiteral("smtp.bewaard.nl"), QStringLiteral("kas"), QStringLiteral("Bewaard-Wachtwoord-9"));
        QCOMPARE(wachtwoorden().wachtwoord(nullptr, QStringLiteral("smtp.bewaard.nl"), QStringLiteral("kas")),
                 std::optional<QString>(QStringLiteral("Bewaard-Wachtwoord-9")));
        QCOMPARE(answers.asked, 0);
        QCOMPARE(filesHolding(home.path(), QStringLiteral("Bewaard-Wachtwoord-9")), QStringList());
        QCOMPARE(filesHolding(config.path(), QStringLiteral("Bewaard-Wachtwoord-9")), QStringList());
    }
};

QTEST_MAIN(TestMailwachtwoord)
#include "test_mailwachtwoord.moc"
