#include "mailwachtwoord.h"

#include <QInputDialog>
#include <QLineEdit>

namespace zelk {

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
    m_bekend.insert(sleutel(server, gebruiker), wachtwoord);
}

void MailWachtwoord::vergeet(const QString &server, const QString &gebruiker)
{
    m_bekend.remove(sleutel(server, gebruiker));
}

} // namespace zelk
