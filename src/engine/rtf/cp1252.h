#pragma once
// Windows-1252, the code page of RTF's \ansi text and of older plain-text letters.
#include <QChar>
#include <QString>
#include <QByteArrayView>

namespace zelk::rtf {

// The character of one Windows-1252 byte. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control character of the same value.
QChar cp1252ToChar(unsigned char byte);

// The Windows-1252 byte of a character, or 0 when the code page has none for it
// (characters below 0x80 map to themselves; NUL is never asked for).
unsigned char charToCp1252(QChar ch);

// A whole byte string decoded as Windows-1252 (never fails).
QString decodeCp1252(QByteArrayView bytes);

} // namespace zelk::rtf
