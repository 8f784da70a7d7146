#pragma once
// The password of the mail server login. It is never written to disk by this program: it
// lives in the desktop's keyring when one runs, otherwise it is asked once per program run
// and kept in memory until the program ends.
#include <QHash>
#include <QString>
#include <optional>

class QWidget;

namespace zelk {

class MailWachtwoord {
public:
    static MailWachtwoord &instance();

    // The password for `gebruiker` at `server`: empty without asking when there is no login
    // (an empty `gebruiker`); from the keyring or the memory of this run when known; asked
    // otherwise (a modal question over `parent`). Nothing when the treasurer declines.
    std::optional<QString> wachtwoord(QWidget *parent, const QString &server, const QString &gebruiker);

    // The password as typed in the settings screen: into the keyring where one runs, and
    // into the memory of this run.
    void bewaar(const QString &server, const QString &gebruiker, const QString &wachtwoord);

    // Forgets the password of this run (after the server refused the login), so that the
    // next send asks again.
    void vergeet(const QString &server, const QString &gebruiker);

private:
    MailWachtwoord() = default;
    QString sleutel(const QString &server, const QString &gebruiker) const;
    QHash<QString, QString> m_bekend;
};

} // namespace zelk
