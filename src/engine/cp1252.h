#pragma once
// Windows-1252, the 8-bit code page of the settings files (and of RTF's \'hh escapes).
#include <QByteArray>
#include <QString>

namespace zelk::cp1252 {

QString decode(const QByteArray &bytes);
// Characters without a Windows-1252 byte become '?'.
QByteArray encode(const QString &text);
// The Unicode character of one byte.
QChar toUnicode(unsigned char byte);

} // namespace zelk::cp1252
