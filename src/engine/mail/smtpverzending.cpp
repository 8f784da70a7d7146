#include "smtpverzending.h"

#include "mailbericht.h"
#include "zelkerror.h"

#include <QFile>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace zelk::mail {

namespace {

// The system's authorities; an extra CA file is trusted beside them, not instead.
const char *const systemBundle = "/etc/ssl/certs/ca-certificates.crt";

struct Upload {
    const QByteArray &bytes;
    qsizetype sent = 0;
};

size_t readUpload(char *buffer, size_t size, size_t count, void *userdata)
{
    auto *upload = static_cast<Upload *>(userdata);
    const qsizetype n = std::min<qsizetype>(qsizetype(size * count), upload->bytes.size() - upload->sent);
    memcpy(buffer, upload->bytes.constData() + upload->sent, size_t(n));
    upload->sent += n;
    return size_t(n);
}

// The server's answers, which say more than libcurl's own error text: the last one, and the
// first refusal (a code of 400 or higher), which the goodbye after it must not hide.
struct Answers {
    QString last;
    QString refusal;
};

int keepAnswer(CURL *, curl_infotype type, char *data, size_t size, void *userdata)
{
    if (type != CURLINFO_HEADER_IN)
        return 0;
    auto *answers = static_cast<Answers *>(userdata);
    const QString line = QString::fromUtf8(data, qsizetype(size)).trimmed();
    if (line.isEmpty())
        return 0;
    answers->last = line;
    if (answers->refusal.isEmpty() && line.left(3).toInt() >= 400)
        answers->refusal = line;
    return 0;
}

QByteArray trustedAuthorities(const QString &extra)
{
    QFile own(extra);
    if (!own.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het CA-bestand %1 is niet te lezen: %2").arg(extra, own.errorString()));
    QByteArray pem;
    QFile system(QString::fromLatin1(systemBundle));
    if (system.open(QIODevice::ReadOnly))
        pem = system.readAll() + '\n';
    return pem + own.readAll();
}

QByteArray url(const Verbinding &v)
{
    const QString host = v.server.contains(QLatin1Char(':')) ? QLatin1Char('[') + v.server + QLatin1Char(']') : v.server;
    return (v.beveiliging == Beveiliging::SslTls ? "smtps://" : "smtp://") + host.toUtf8() + ':' + QByteArray::number(v.poort);
}

QString failure(const Verbinding &v, CURLcode code, const char *curlText, const QString &answer)
{
    const QString where = QStringLiteral("%1 (poort %2)").arg(v.server).arg(v.poort);
    const QString detail = answer.isEmpty() ? QString::fromUtf8(curlText) : answer;
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("De mailserver %1 is niet gevonden. Kijk de naam van de server na bij Instellingen.").arg(v.server);
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("De mailserver %1 is niet te bereiken: er kwam geen verbinding tot stand. Kijk de server en "
                              "de poort na bij Instellingen.")
            .arg(where);
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("De mailserver %1 is niet te bereiken: hij gaf te lang geen antwoord.").arg(where);
    case CURLE_PEER_FAILED_VERIFICATION:
        return QStringLiteral("Het certificaat van de mailserver %1 wordt niet vertrouwd (%2). Er is niets verstuurd. "
                              "Maak alleen een uitzondering voor deze server als u zeker weet dat het de server van uw "
                              "provider of vereniging is.")
            .arg(where, QString::fromUtf8(curlText));
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral("De mailserver %1 biedt geen STARTTLS aan; kies een andere beveiliging of poort.").arg(where);
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("De mailserver %1 weigerde de gebruikersnaam of het wachtwoord: %2").arg(where, detail);
    case CURLE_SSL_CONNECT_ERROR:
        return QStringLiteral("Er kwam geen beveiligde verbinding met de mailserver %1 tot stand: %2")
            .arg(where, QString::fromUtf8(curlText));
    default:
        return QStringLiteral("De mailserver %1 weigerde het bericht: %2").arg(where, detail);
    }
}

using Easy = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using List = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

} // namespace

QString verstuur(const Verbinding &v, const QString &afzender, const QString &ontvanger, const QByteArray &bericht)
{
    if (!v.gebruiker.isEmpty() && v.beveiliging == Beveiliging::Geen)
        throw Error(QStringLiteral("Een wachtwoord gaat nooit onversleuteld naar de mailserver: kies bij Beveiliging STARTTLS "
                                   "of SSL/TLS, of laat de gebruikersnaam leeg."));
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    // Everything libcurl points into lives longer than the handle: closing the connection
    // (QUIT) still reports the server's answer through keepAnswer.
    char curlText[CURL_ERROR_SIZE] = {};
    Answers answers;
    Upload upload{bericht};
    const QByteArray address = url(v);
    const QByteArray from = '<' + schoonAdres(afzender).toUtf8() + '>';
    List recipients(curl_slist_append(nullptr, ('<' + schoonAdres(ontvanger).toUtf8() + '>').constData()), curl_slist_free_all);
    const QByteArray user = v.gebruiker.toUtf8();
    const QByteArray password = v.wachtwoord.toUtf8();
    QByteArray authorities;
    Easy curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw Error(QStringLiteral("De verbinding met de mailserver kon niet worden voorbereid."));
    CURL *c = curl.get();

    curl_easy_setopt(c, CURLOPT_URL, address.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(bericht.size()));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, curlText);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, keepAnswer);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &answers);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L); // feeds keepAnswer; nothing is printed
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L); // a server silent for a minute is given up
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(v.beveiliging == Beveiliging::StartTls ? CURLUSESSL_ALL : CURLUSESSL_NONE));
    if (!user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }
    if (!v.caBestand.isEmpty()) {
        authorities = trustedAuthorities(v.caBestand);
        curl_blob blob{authorities.data(), size_t(authorities.size()), CURL_BLOB_NOCOPY};
        curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &blob);
    }
    if (v.vertrouwServer) {
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 0L);
    }

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_LOGIN_DENIED)
        throw LoginGeweigerd(failure(v, code, curlText[0] ? curlText : curl_easy_strerror(code), answers.refusal));
    if (code != CURLE_OK)
        throw Error(failure(v, code, curlText[0] ? curlText : curl_easy_strerror(code), answers.refusal));
    return QString(answers.last); // a copy: the handle's QUIT below still writes into `answers`
}

} // namespace zelk::mail
