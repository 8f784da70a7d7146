// Loading and saving documents as files, the plain-text fallback and plain-text lines.
#include "rtf.h"

#include "cp1252.h"
#include "filesave.h"
#include "rtfreader.h"
#include "zelkerror.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextDocument>

namespace zelk::rtf {

namespace {

// Plain text: UTF-8 when the bytes are valid UTF-8, else Windows-1252 (older Windows files).
QString decodePlainText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = cp1252::decode(bytes.toByteArray());
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    text.replace(u"\r\n"_qs, u"\n"_qs);
    text.replace(u'\r', u'\n');
    // Other control characters and the document's own marks are not text.
    text.removeIf([](QChar c) {
        const char16_t code = c.unicode();
        return (code < 0x20 && code != u'\t' && code != u'\n') || code == 0xFDD0 || code == 0xFDD1 || code == 0xFFFC;
    });
    return text;
}

// Loading replaces a document: no undo step leads back, and it counts as unchanged.
class Replacing {
public:
    explicit Replacing(QTextDocument *doc) : m_doc(doc), m_undo(doc->isUndoRedoEnabled())
    {
        m_doc->setUndoRedoEnabled(false);
        m_doc->clear();
    }
    ~Replacing()
    {
        m_doc->setUndoRedoEnabled(m_undo);
        m_doc->setModified(false);
    }

private:
    QTextDocument *m_doc;
    bool m_undo;
};

} // namespace

bool isRtf(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

void read(QByteArrayView bytes, QTextDocument *doc)
{
    Replacing replacing(doc);
    if (isRtf(bytes))
        readRtf(bytes, doc);
    else
        doc->setPlainText(decodePlainText(bytes));
}

void readFile(const QString &path, QTextDocument *doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.").arg(path));
    if (file.size() > MaxFileSize)
        throw Error(
            QStringLiteral("Het bestand \"%1\" is te groot om te openen (meer dan %2 MB).").arg(path).arg(MaxFileSize / (1024 * 1024)));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.").arg(path));
    if (bytes.size() > MaxFileSize)
        throw Error(
            QStringLiteral("Het bestand \"%1\" is te groot om te openen (meer dan %2 MB).").arg(path).arg(MaxFileSize / (1024 * 1024)));
    read(bytes, doc);
}

void writeFile(const QTextDocument &doc, const QString &path)
{
    saveFile(path, write(doc));
}

QStringList plainTextLines(const QTextDocument &doc)
{
    if (doc.isEmpty())
        return {};
    QString text = doc.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return text.split(u'\n');
}

} // namespace zelk::rtf
