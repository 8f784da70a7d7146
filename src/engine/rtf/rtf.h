#pragma once
// Rich text files: letters, e-mail bodies and the help file are kept as standard RTF
// and edited as a QTextDocument. Reading accepts what other word processors write and
// never trusts the input; writing produces RTF that LibreOffice and Word open.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace zelk::rtf {

// True when the bytes start as an RTF file does ("{\rtf", blanks and line ends before it allowed).
bool isRtf(QByteArrayView bytes);

// Replaces the whole content of doc by the document in bytes: RTF when isRtf(bytes), else
// plain text (UTF-8, or Windows-1252 when the bytes are not valid UTF-8). Never throws:
// malformed, truncated or hostile RTF yields the text that could be read. Afterwards doc
// counts as unmodified and has no undo history. doc must not be null.
void read(QByteArrayView bytes, QTextDocument *doc);

// read() of a file's content. Throws zelk::Error when the file cannot be opened or read,
// or is larger than MaxFileSize; doc is then left as it was.
void readFile(const QString &path, QTextDocument *doc);
inline constexpr qint64 MaxFileSize = 256LL * 1024 * 1024;

// The document as RTF (\rtf1\ansi\ansicpg1252): font and colour tables, paragraphs with
// alignment, indents and spacing, and the character formats of every run. Never fails.
QByteArray write(const QTextDocument &doc);

// write() into a file, replaced atomically: on failure the old file stays untouched.
// Throws zelk::Error when the file cannot be written.
void writeFile(const QTextDocument &doc, const QString &path);

// The document as the plain lines an e-mail body carries: one line per paragraph or
// line break, tabs kept, formatting and pictures dropped. An empty document has no lines.
QStringList plainTextLines(const QTextDocument &doc);

} // namespace zelk::rtf
