#pragma once
// One outgoing e-mail to one member, written out as the bytes an SMTP server receives.
// Whatever the treasurer typed, the headers stay headers: a line break in a subject, name or
// address never starts a new header, non-ASCII text is encoded, and the Date header carries
// English names and the real offset of the local time zone.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zelk::mail {

struct Bericht {
    QString afzenderNaam;
    QString afzenderAdres;
    QString ontvanger;
    QString onderwerp;
    QStringList regels; // the body, one line per line of the editor
    QDateTime datum;
};

// The whole message: headers, a blank line and the body, lines ending in CR LF.
QByteArray opgemaakt(const Bericht &bericht);

// An address as it may stand in a header and in the SMTP envelope: without line breaks,
// angle brackets or blanks around it.
QString schoonAdres(const QString &adres);

// A header value without line breaks or other control characters (each becomes a blank).
QString schoneHeadertekst(const QString &tekst);

// The Date header's value: "Wed, 09 Dec 2026 20:15:00 +0100", the offset of `moment`.
QByteArray rfc5322Datum(const QDateTime &moment);

// `tekst` as it may stand in a header: ASCII as it is, otherwise RFC 2047 encoded words.
QByteArray headerwaarde(const QString &tekst);

// Quoted-printable with lines of at most 76 characters; the input's CR LF are kept.
QByteArray quotedPrintable(const QByteArray &bytes);

} // namespace zelk::mail
