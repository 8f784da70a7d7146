#include "cp1252.h"

#include <array>

namespace zelk::cp1252 {

namespace {
// 0x80..0x9F differ from Latin-1; 0 marks the five undefined bytes (decoded as Latin-1 controls).
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};
} // namespace

QChar toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && high[byte - 0x80] != 0)
        return QChar(high[byte - 0x80]);
    return QChar(byte);
}

QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.append(toUnicode(static_cast<unsigned char>(c)));
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char out = '?';
        for (int i = 0; i < 32; ++i)
            if (high[i] == u && u != 0)
                out = static_cast<char>(0x80 + i);
        bytes.append(out);
    }
    return bytes;
}

} // namespace zelk::cp1252
