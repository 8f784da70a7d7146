#include "mailwachtwoord.h"

#include <QEventLoop>
#include <QInputDialog>
#include <QLineEdit>
#include <QSet>
#include <QTimer>
#include <memory>
#include <qt6keychain/keychain.h>

namespace zelk {

namespace {
// The name under which the passwords stand in the keyring.
const QString dienst = QStringLiteral("Zelk mailserver");

// A keyring that has not answered by then counts as no keyring: a locked or hanging
// keyring never freezes the program for longer.
constexpr int wachttijdMs = 3000;

// What this program run learned about the keyring (MailWachtwoord is one per program).
bool zonderKeyring = false;
// Passwords the server refused in this run: the keyring's copy is not used again.
QSet<QString> geweigerd;

struct Uitkomst {
    bool klaar = false;
    QKeychain::Error fout = QKeychain::NoError;
    QString tekst;
};

// Runs a keyring job and waits for its answer, at most wachttijdMs. While waiting only the
// keyring's own events are handled, nothing the user does. A job that does not answer in
// time stays behind and removes itself whenever it finishes.
Uitkomst wacht(QKeychain::Job *job)
{
    auto uitkomst = std::make_shared<Uitkomst>();
    job->setAutoDelete(true);
    job->setInsecureFallback(false); // never a password in a settings file
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [uitkomst, &loop](QKeychain::Job *klaar) {
        uitkomst->klaar = true;
        uitkomst->fout = klaar->error();
        if (auto *lezen = qobject_cast<QKeychain::ReadPasswordJob *>(klaar))
            uitkomst->tekst = lezen->textData();
        loop.quit();
    });
    QTimer::singleShot(wachttijdMs, &loop, &QEventLoop::quit);
    job->start();
    if (!uitkomst->klaar)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return *uitkomst;
}

// Whether the keyring answered as a keyring does (also "not there"); otherwise there is
// none for the rest of this run.
bool werkt(const Uitkomst &uitkomst)
{
    const bool antwoord = uitkomst.klaar && (uitkomst.fout == QKeychain::NoError || uitkomst.fout == QKeychain::EntryNotFound);
    if (!antwoord)
        zonderKeyring = true;
    return antwoord;
}

std::optional<QString> uitKeyring(const QString &sleutel)
{
    if (zonderKeyring)
        return std::nullopt;
    auto *job = new QKeychain::ReadPasswordJob(dienst);
    job->setKey(sleutel);
    const Uitkomst uitkomst = wacht(job);
    if (!werkt(uitkomst) || uitkomst.fout != QKeychain::NoError)
        return std::nullopt;
    return uitkomst.tekst;
}

void inKeyring(const QString &sleutel, const QString &wachtwoord)
{
    if (zonderKeyring)
        return;
    auto *job = new QKeychain::WritePasswordJob(dienst);
    job->setKey(sleutel);
    job->setTextData(wachtwoord);
    werkt(wacht(job));
}
} // namespace

MailWachtwoord &MailWachtwoord::instance()
{
    static MailWachtwoord wachtwoorden;
    return wachtwoorden;
}

QString MailWachtwoord::sleutel(const QString &server, const QString &gebruiker) const
{
    return gebruiker + u'@' + server;
}

std::optional<QString> MailWachtwoord::wachtwoord(QWidget *parent, const QString &server, const QString &gebruiker)
{
    if (gebruiker.isEmpty())
        return QString();
    const QString key = sleutel(server, gebruiker);
    if (const auto known = m_bekend.constFind(key); known != m_bekend.cend())
        return *known;
    if (!geweigerd.contains(key)) {
        if (const std::optional<QString> bewaard = uitKeyring(key)) {
            m_bekend.insert(key, *bewaard);
            return bewaard;
        }
    }
    bool ok = false;
    const QString typed
        = QInputDialog::getText(parent, QStringLiteral("Wachtwoord mailserver"),
                                QStringLiteral("Wachtwoord van %1 op %2:").arg(gebruiker, server), QLineEdit::Password, {}, &ok);
    if (!ok)
        return std::nullopt;
    m_bekend.insert(key, typed);
    return typed;
}

void MailWachtwoord::bewaar(const QString &server, const QString &gebruiker, const QString &wachtwoord)
{
    const QString key = sleutel(server, gebruiker);
    m_bekend.insert(key, wachtwoord);
    geweigerd.remove(key);
    inKeyring(key, wachtwoord);
}

void MailWachtwoord::vergeet(const QString &server, const QString &gebruiker)
{
    const QString key = sleutel(server, gebruiker);
    m_bekend.remove(key);
    geweigerd.insert(key);
}

} // namespace zelk
