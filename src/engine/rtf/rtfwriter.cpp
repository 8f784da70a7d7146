#include "rtf.h"

#include "cp1252.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <utility>
#include <vector>

namespace zelk::rtf {

namespace {

constexpr double TwipsPerPixel = 15.0; // documents are laid out at 96 pixels per inch
constexpr int WrapColumn = 200;        // output lines are broken before a blank past this

struct FontDef {
    QString name;
    QFont::StyleHint hint;
};

QByteArray familyWord(QFont::StyleHint hint)
{
    switch (hint) {
    case QFont::Serif:
        return "\\froman";
    case QFont::SansSerif:
        return "\\fswiss";
    case QFont::TypeWriter:
        return "\\fmodern";
    case QFont::Cursive:
        return "\\fscript";
    case QFont::Decorative:
    case QFont::Fantasy:
        return "\\fdecor";
    default:
        return "\\fnil";
    }
}

QString familyOf(const QFont &font)
{
    const QStringList families = font.families();
    return families.isEmpty() ? font.family() : families.first();
}

int halfPoints(const QFont &font)
{
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    return std::max(2, qRound(points * 2));
}

int twips(double pixels)
{
    return qRound(pixels * TwipsPerPixel);
}

QByteArray number(int value)
{
    return QByteArray::number(value);
}

class Writer {
public:
    explicit Writer(const QTextDocument &doc) : m_doc(doc) { }

    QByteArray run()
    {
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
            writeBlock(block);
        // Fonts are numbered in order of first use: \deff0 is the first font of the text.
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043\\uc1\r\n";
        out += fontTable();
        out += colorTable();
        out += "{\\*\\generator Zelk;}\\paperw11906\\paperh16838\\viewkind4\r\n";
        out += m_body;
        out += "}\r\n";
        return out;
    }

private:
    void writeBlock(const QTextBlock &block)
    {
        const QTextBlockFormat format = block.blockFormat();
        raw("\\pard\\plain");
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            raw("\\qc");
        else if (alignment & Qt::AlignJustify)
            raw("\\qj");
        else if (alignment & Qt::AlignRight)
            raw("\\qr");
        writeIndents(block, format);
        raw(" ");

        if (const QTextList *list = block.textList())
            writeListMark(block, list);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                writeRun(fragment.text(), fragment.charFormat());
        }
        // The paragraph mark carries the block's own size, which sizes an empty line.
        const QFont markFont = fontOf(block.charFormat());
        raw("\\f" + number(fontIndex(markFont)) + "\\fs" + number(halfPoints(markFont)) + "\\par\r\n");
        m_column = 0;
    }

    void writeIndents(const QTextBlock &block, const QTextBlockFormat &format)
    {
        double left = format.leftMargin() + format.indent() * m_doc.indentWidth();
        double first = format.textIndent();
        if (const QTextList *list = block.textList()) {
            // A list item is written as its mark and a tab, hanging in front of the text.
            left += list->format().indent() * m_doc.indentWidth();
            if (first == 0)
                first = -std::min(left, 24.0);
        }
        const int values[]
            = {twips(left), twips(format.rightMargin()), twips(first), twips(format.topMargin()), twips(format.bottomMargin())};
        const char *words[] = {"\\li", "\\ri", "\\fi", "\\sb", "\\sa"};
        for (int i = 0; i < 5; ++i) {
            if (values[i] != 0)
                raw(words[i] + number(values[i]));
        }
    }

    void writeListMark(const QTextBlock &block, const QTextList *list)
    {
        const QTextListFormat::Style style = list->format().style();
        const bool bullet
            = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle || style == QTextListFormat::ListSquare;
        const QString mark = bullet ? QString(QChar(0x2022)) : list->itemText(block);
        writeRun(mark + u'\t', block.charFormat());
    }

    void writeRun(const QString &text, const QTextCharFormat &format)
    {
        const QFont font = fontOf(format);
        QByteArray words = "{\\f" + number(fontIndex(font)) + "\\fs" + number(halfPoints(font));
        if (font.bold())
            words += "\\b";
        if (font.italic())
            words += "\\i";
        if (font.underline() || format.underlineStyle() != QTextCharFormat::NoUnderline)
            words += "\\ul";
        if (font.strikeOut())
            words += "\\strike";
        if (format.foreground().style() != Qt::NoBrush)
            words += "\\cf" + number(colorIndex(format.foreground().color()));
        if (format.background().style() != Qt::NoBrush) {
            const QByteArray index = number(colorIndex(format.background().color()));
            words += "\\highlight" + index + "\\chcbpat" + index;
        }
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            words += "\\super";
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            words += "\\sub";
        raw(words + ' ');
        writeText(text);
        raw("}");
    }

    // The font a run is shown in. HTML font sizes and headings scale the document's
    // default size instead of setting one; the text shows that size (as Qt lays it out).
    QFont fontOf(const QTextCharFormat &format) const
    {
        QFont font = format.font().resolve(m_doc.defaultFont());
        if (format.hasProperty(QTextFormat::FontSizeAdjustment)) {
            static constexpr double scale[7] = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
            const double factor = scale[qBound(0, format.intProperty(QTextFormat::FontSizeAdjustment) + 2, 6)];
            const QFont base = m_doc.defaultFont();
            if (base.pointSizeF() > 0)
                font.setPointSizeF(base.pointSizeF() * factor);
            else
                font.setPixelSize(qRound(base.pixelSize() * factor));
        }
        return font;
    }

    void writeText(const QString &text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == u' ' && m_column > WrapColumn) {
                raw("\r\n");
                m_column = 0;
            }
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                writeUnicode(c);
                writeUnicode(text.at(++i));
            } else {
                writeChar(c);
            }
        }
    }

    void writeChar(QChar c)
    {
        const char16_t code = c.unicode();
        if (code == u'\\' || code == u'{' || code == u'}')
            raw(QByteArray("\\") + char(code));
        else if (code == u'\t')
            raw("\\tab ");
        else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            raw("\\line ");
        else if (c == QChar::Nbsp)
            raw("\\~");
        else if (code < 0x20 || c == QChar::ObjectReplacementCharacter || code == 0xFDD0 || code == 0xFDD1)
            return; // control characters, pictures and frame marks have no text to write
        else if (code < 0x80)
            raw(QByteArray(1, char(code)));
        else if (const QByteArray byte = cp1252::encode(QString(c)); byte != "?") // '?' marks no byte
            raw("\\'" + byte.toHex());
        else
            writeUnicode(c);
    }

    // \uN takes a signed 16-bit number; '?' is what readers without Unicode show.
    void writeUnicode(QChar c) { raw("\\u" + number(int(qint16(c.unicode()))) + '?'); }

    void raw(const QByteArray &bytes)
    {
        m_body += bytes;
        m_column += int(bytes.size());
    }

    int fontIndex(const QFont &font)
    {
        QString name = familyOf(font);
        name.remove(u';');
        for (size_t i = 0; i < m_fonts.size(); ++i) {
            if (m_fonts[i].name == name)
                return int(i);
        }
        m_fonts.push_back(FontDef{name, font.styleHint()});
        return int(m_fonts.size() - 1);
    }

    int colorIndex(const QColor &color)
    {
        const QRgb rgb = color.rgb() & 0xFFFFFF;
        for (size_t i = 0; i < m_colors.size(); ++i) {
            if (m_colors[i] == rgb)
                return int(i + 1); // entry 0 is the automatic colour
        }
        m_colors.push_back(rgb);
        return int(m_colors.size());
    }

    QByteArray fontTable()
    {
        QByteArray table = "{\\fonttbl";
        for (size_t i = 0; i < m_fonts.size(); ++i) {
            table += "{\\f" + number(int(i)) + familyWord(m_fonts[i].hint) + "\\fcharset0 ";
            const QByteArray body = std::exchange(m_body, {});
            writeText(m_fonts[i].name); // escapes the name like text
            table += std::exchange(m_body, body) + ";}";
        }
        return table + "}\r\n";
    }

    QByteArray colorTable()
    {
        QByteArray table = "{\\colortbl;";
        for (const QRgb rgb : m_colors)
            table += "\\red" + number(qRed(rgb)) + "\\green" + number(qGreen(rgb)) + "\\blue" + number(qBlue(rgb)) + ';';
        return table + "}\r\n";
    }

    const QTextDocument &m_doc;
    QByteArray m_body;
    int m_column = 0;
    std::vector<FontDef> m_fonts;
    std::vector<QRgb> m_colors;
};

} // namespace

QByteArray write(const QTextDocument &doc)
{
    return Writer(doc).run();
}

} // namespace zelk::rtf
