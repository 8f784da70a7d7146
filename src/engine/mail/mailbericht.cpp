#include "mailbericht.h"

#include <QLocale>
#include <QRandomGenerator>

namespace zelk::mail {

namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// RFC 2047 "B" words of at most 75 characters, split between whole characters.
QByteArray encodedWords(const QString &text)
{
    // 39 bytes become 52 base64 characters: a word of 64, and "Subject: " before it, within 78
    constexpr int maxPayload = 39;
    QByteArrayList words;
    QByteArray chunk;
    for (int i = 0; i < text.size(); ++i) {
        QString character(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            character += text.at(++i);
        const QByteArray bytes = character.toUtf8();
        if (chunk.size() + bytes.size() > maxPayload) {
            words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += bytes;
    }
    if (!chunk.isEmpty())
        words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
    return words.join("\r\n ");
}

// A display name in a From header: quoted when ASCII, encoded otherwise.
QByteArray displayName(const QString &name)
{
    if (!isAscii(name))
        return encodedWords(name);
    QString quoted = name;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return '"' + quoted.toLatin1() + '"';
}

QByteArray messageId(const QString &sender, const QDateTime &moment)
{
    const QString domain = sender.section(QLatin1Char('@'), 1);
    return '<' + QByteArray::number(moment.toMSecsSinceEpoch()) + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36)
        + '@' + (domain.isEmpty() ? QByteArray("zelk.localhost") : domain.toUtf8()) + '>';
}

bool needsEncoding(const QByteArray &body)
{
    int lineLength = 0;
    for (const char c : body) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
        lineLength = c == '\n' ? 0 : lineLength + 1;
        if (lineLength > 998) // SMTP's longest line
            return true;
    }
    return false;
}

} // namespace

QString schoneHeadertekst(const QString &tekst)
{
    QString clean = tekst;
    for (QChar &c : clean)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return clean;
}

QString schoonAdres(const QString &adres)
{
    QString clean = schoneHeadertekst(adres);
    clean.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    return clean.simplified().remove(QLatin1Char(' '));
}

QByteArray rfc5322Datum(const QDateTime &moment)
{
    const int offset = moment.offsetFromUtc() / 60;
    const int hours = qAbs(offset) / 60;
    const int minutes = qAbs(offset) % 60;
    return QLocale::c().toString(moment, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss")).toLatin1() + ' ' + (offset < 0 ? '-' : '+')
        + QByteArray::number(hours).rightJustified(2, '0') + QByteArray::number(minutes).rightJustified(2, '0');
}

QByteArray headerwaarde(const QString &tekst)
{
    const QString clean = schoneHeadertekst(tekst);
    return isAscii(clean) ? clean.toLatin1() : encodedWords(clean);
}

QByteArray quotedPrintable(const QByteArray &bytes)
{
    QByteArray out;
    int column = 0;
    auto put = [&](const QByteArray &piece) {
        if (column + piece.size() > 75) { // room for the soft break's "="
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    };
    for (int i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes.at(i));
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            out += "\r\n";
            column = 0;
            ++i;
            continue;
        }
        const bool lineEnds = i + 1 == bytes.size() || bytes.at(i + 1) == '\r';
        const bool plain = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lineEnds);
        // A dot at the start of a line is encoded too, so no server can take it for the end.
        if (plain && !(c == '.' && column == 0))
            put(QByteArray(1, static_cast<char>(c)));
        else
            put('=' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0'));
    }
    return out;
}

QByteArray opgemaakt(const Bericht &bericht)
{
    const QString afzender = schoonAdres(bericht.afzenderAdres);
    // A line holding a line break of its own still ends up as lines ending in CR LF.
    QString text = bericht.regels.join(QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QByteArray body = text.replace(QLatin1Char('\n'), QLatin1String("\r\n")).toUtf8() + "\r\n";
    const bool encoded = needsEncoding(body);
    QByteArray out;
    out += "Date: " + rfc5322Datum(bericht.datum) + "\r\n";
    out += "From: " + displayName(schoneHeadertekst(bericht.afzenderNaam)) + " <" + afzender.toUtf8() + ">\r\n";
    out += "To: <" + schoonAdres(bericht.ontvanger).toUtf8() + ">\r\n";
    out += "Subject: " + headerwaarde(bericht.onderwerp) + "\r\n";
    out += "Message-ID: " + messageId(afzender, bericht.datum) + "\r\n";
    out += "MIME-Version: 1.0\r\n";
    if (encoded) {
        out += "Content-Type: text/plain; charset=utf-8\r\n";
        out += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
        out += quotedPrintable(body);
    } else {
        out += "Content-Type: text/plain; charset=us-ascii\r\n";
        out += "Content-Transfer-Encoding: 7bit\r\n\r\n";
        out += body;
    }
    return out;
}

} // namespace zelk::mail
