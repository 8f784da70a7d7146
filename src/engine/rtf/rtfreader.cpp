#include "rtfreader.h"

#include "cp1252.h"
#include "rtflexer.h"
#include "rtfwords.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace zelk::rtf {

namespace {

// Limits that keep hostile input harmless. Groups deeper than MaxDepth share the state
// of the deepest kept group; no real document comes near it.
constexpr int MaxDepth = 200;
constexpr int MaxTableEntries = 4096;
constexpr int MaxFontNameLength = 200;
constexpr int MaxUnicodeSkip = 16;
constexpr int MaxTwips = 31680;       // 22 inches
constexpr int DefaultHalfPoints = 24; // RTF's default size: 12 points
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 2000;
constexpr double TwipsPerPixel = 15.0; // documents are laid out at 96 pixels per inch

enum class Destination { Text, FontTable, ColorTable };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int font = -1; // -1: the default font (\deff)
    int halfPoints = DefaultHalfPoints;
    int foreground = -1; // colour table index; -1 none
    int background = -1;
    int vertical = 0; // 1 superscript, -1 subscript
    bool operator==(const CharState &) const = default;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0; // all in twips
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
};

struct GroupState {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    QFont::StyleHint hint = QFont::AnyStyle;
};

int clampTwips(int value, int low = -MaxTwips)
{
    return std::clamp(value, low, MaxTwips);
}
bool toggle(const Token &t)
{
    return !t.hasParameter || t.parameter != 0;
}

class Reader {
public:
    Reader(QByteArrayView data, QTextDocument *doc) : m_lexer(data), m_cursor(doc)
    {
        m_cursor.movePosition(QTextCursor::End);
        m_groups.push_back(GroupState{});
    }

    void run()
    {
        m_cursor.beginEditBlock();
        while (!m_finished) {
            Token token = m_lexer.next();
            if (token.kind == Token::End)
                break;
            if (m_skipDepth > 0)
                skipToken(token);
            else if (!passFallback(token))
                handle(token);
        }
        finish();
        m_cursor.endEditBlock();
    }

private:
    GroupState &state() { return m_groups.back(); }

    // Inside a skipped destination only the group structure and \bin lengths matter.
    void skipToken(const Token &token)
    {
        if (token.kind == Token::GroupOpen) {
            ++m_skipDepth;
        } else if (token.kind == Token::GroupClose) {
            if (--m_skipDepth == 0)
                closeGroup();
        } else if (token.kind == Token::Word && word(token.text) == Word::Bin) {
            m_lexer.skipBytes(token.hasParameter ? token.parameter : 0);
        }
    }

    // After \uN the next \ucN characters are the fallback for readers without Unicode.
    // Returns true when the token was swallowed; a partly swallowed text run is shortened.
    bool passFallback(Token &token)
    {
        if (m_fallbackLeft == 0)
            return false;
        switch (token.kind) {
        case Token::GroupOpen:
        case Token::GroupClose:
        case Token::End:
            m_fallbackLeft = 0;
            return false;
        case Token::Text:
            if (token.text.size() <= m_fallbackLeft) {
                m_fallbackLeft -= int(token.text.size());
                return true;
            }
            token.text = token.text.sliced(m_fallbackLeft);
            m_fallbackLeft = 0;
            return false;
        case Token::Word:
            if (word(token.text) == Word::Bin)
                m_lexer.skipBytes(token.hasParameter ? token.parameter : 0);
            --m_fallbackLeft;
            return true;
        default:
            --m_fallbackLeft;
            return true;
        }
    }

    void handle(const Token &token)
    {
        const bool starred = m_starred;
        m_starred = false;
        switch (token.kind) {
        case Token::GroupOpen:
            openGroup();
            break;
        case Token::GroupClose:
            closeGroup();
            break;
        case Token::Text:
            text(token.text);
            break;
        case Token::Hex:
            put(cp1252::toUnicode(token.byte));
            break;
        case Token::Symbol:
            symbol(token.symbol);
            break;
        case Token::Word:
            controlWord(token, starred);
            break;
        case Token::End:
            break;
        }
    }

    void openGroup()
    {
        if (m_groups.size() > MaxDepth) {
            ++m_overflow;
            return;
        }
        GroupState copy = state();
        m_groups.push_back(copy);
    }

    void closeGroup()
    {
        if (state().destination == Destination::FontTable)
            commitFont();
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_groups.size() <= 2) { // the document's own group has ended; its state stays for finish()
            m_finished = true;
            return;
        }
        m_groups.pop_back();
    }

    void symbol(char c)
    {
        switch (c) {
        case '*':
            m_starred = true;
            break;
        case '\\':
        case '{':
        case '}':
            put(QChar::fromLatin1(c));
            break;
        case '~':
            put(QChar::Nbsp);
            break;
        case '_':
            put(u'-');
            break; // non-breaking hyphen
        case '\r':
        case '\n':
            paragraphBreak();
            break;
        case '\t':
            put(u'\t');
            break;
        default:
            break; // optional hyphen, index marks, malformed \' : nothing to show
        }
    }

    void text(QByteArrayView bytes)
    {
        for (const char byte : bytes)
            put(cp1252::toUnicode(static_cast<unsigned char>(byte)));
    }

    void controlWord(const Token &t, bool starred)
    {
        const Word w = word(t.text);
        if (isSkippedDestination(w) || (starred && !isReadDestination(w))) {
            m_skipDepth = 1;
            return;
        }
        const int value = t.parameter;
        CharState &ch = state().chars;
        ParaState &para = state().para;
        switch (w) {
        // Destinations that are read.
        case Word::FontTable:
            state().destination = Destination::FontTable;
            break;
        case Word::ColorTable:
            state().destination = Destination::ColorTable;
            break;
        // Document.
        case Word::DefaultFont:
            m_defaultFont = value;
            m_formatCache.reset();
            break;
        case Word::Bin:
            m_lexer.skipBytes(t.hasParameter ? value : 0);
            break;
        case Word::UnicodeSkip:
            state().unicodeSkip = std::clamp(value, 0, MaxUnicodeSkip);
            break;
        case Word::Unicode:
            unicode(value);
            break;
        // Font and colour table entries.
        case Word::Font:
            if (state().destination == Destination::FontTable)
                startFont(value);
            else
                ch.font = value;
            break;
        case Word::FamilyRoman:
            m_fontHint = QFont::Serif;
            break;
        case Word::FamilySwiss:
            m_fontHint = QFont::SansSerif;
            break;
        case Word::FamilyModern:
            m_fontHint = QFont::TypeWriter;
            break;
        case Word::FamilyScript:
            m_fontHint = QFont::Cursive;
            break;
        case Word::FamilyDecor:
            m_fontHint = QFont::Decorative;
            break;
        case Word::Red:
            m_red = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Green:
            m_green = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Blue:
            m_blue = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        // Characters.
        case Word::Plain:
            ch = CharState{};
            break;
        case Word::Bold:
            ch.bold = toggle(t);
            break;
        case Word::Italic:
            ch.italic = toggle(t);
            break;
        case Word::Underline:
            ch.underline = toggle(t);
            break;
        case Word::UnderlineNone:
            ch.underline = false;
            break;
        case Word::Strike:
            ch.strike = toggle(t);
            break;
        case Word::Hidden:
            ch.hidden = toggle(t);
            break;
        case Word::FontSize:
            ch.halfPoints = t.hasParameter ? std::clamp(value, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
            break;
        case Word::Foreground:
            ch.foreground = value;
            break;
        case Word::Background:
            ch.background = value;
            break;
        case Word::Super:
            ch.vertical = 1;
            break;
        case Word::Sub:
            ch.vertical = -1;
            break;
        case Word::NoSuperSub:
            ch.vertical = 0;
            break;
        // Paragraphs.
        case Word::ParagraphDefault:
            para = ParaState{};
            break;
        case Word::AlignLeft:
            para.alignment = Qt::AlignLeft;
            break;
        case Word::AlignCenter:
            para.alignment = Qt::AlignHCenter;
            break;
        case Word::AlignRight:
            para.alignment = Qt::AlignRight;
            break;
        case Word::AlignJustify:
            para.alignment = Qt::AlignJustify;
            break;
        case Word::LeftIndent:
            para.left = clampTwips(value);
            break;
        case Word::RightIndent:
            para.right = clampTwips(value);
            break;
        case Word::FirstIndent:
            para.first = clampTwips(value);
            break;
        case Word::SpaceBefore:
            para.before = clampTwips(value, 0);
            break;
        case Word::SpaceAfter:
            para.after = clampTwips(value, 0);
            break;
        // Breaks and special characters.
        case Word::Paragraph:
            paragraphBreak();
            break;
        case Word::Tab:
            put(u'\t');
            break;
        case Word::Line:
            put(QChar::LineSeparator);
            break;
        case Word::EmDash:
            put(QChar(0x2014));
            break;
        case Word::EnDash:
            put(QChar(0x2013));
            break;
        case Word::LeftQuote:
            put(QChar(0x2018));
            break;
        case Word::RightQuote:
            put(QChar(0x2019));
            break;
        case Word::LeftDoubleQuote:
            put(QChar(0x201C));
            break;
        case Word::RightDoubleQuote:
            put(QChar(0x201D));
            break;
        case Word::Bullet:
            put(QChar(0x2022));
            break;
        case Word::EmSpace:
            put(QChar(0x2003));
            break;
        case Word::EnSpace:
            put(QChar(0x2002));
            break;
        case Word::QuarterEmSpace:
            put(QChar(0x2005));
            break;
        default:
            break; // unknown or unneeded words are ignored
        }
    }

    // \uN: a UTF-16 unit; pairs of surrogates form one character.
    void unicode(int value)
    {
        m_fallbackLeft = state().unicodeSkip;
        const QChar c(char16_t(((value % 65536) + 65536) % 65536));
        if (c.isHighSurrogate()) {
            put(QChar()); // a pending unpaired high surrogate is replaced first
            m_highSurrogate = c;
        } else if (c.isLowSurrogate() && !m_highSurrogate.isNull()) {
            const QChar high = m_highSurrogate;
            m_highSurrogate = QChar();
            store(high);
            store(c);
        } else {
            put(c.isLowSurrogate() ? QChar(QChar::ReplacementCharacter) : c);
        }
    }

    // One character of content; a null character only settles a pending surrogate.
    void put(QChar c)
    {
        if (!m_highSurrogate.isNull()) {
            m_highSurrogate = QChar();
            store(QChar(QChar::ReplacementCharacter));
        }
        if (!c.isNull())
            store(c);
    }

    void store(QChar c)
    {
        const char16_t code = c.unicode();
        if ((code < 0x20 && code != u'\t') || code == 0xFDD0 || code == 0xFDD1 || code == 0xFFFC)
            return; // control characters, the document's frame marks and object places
        if (m_groups.size() < 2)
            return; // outside the document's group
        switch (state().destination) {
        case Destination::Text:
            storeText(c);
            break;
        case Destination::FontTable:
            if (c == u';')
                commitFont();
            else if (m_fontName.size() < MaxFontNameLength)
                m_fontName += c;
            break;
        case Destination::ColorTable:
            if (c == u';')
                commitColor();
            break;
        }
    }

    void storeText(QChar c)
    {
        const CharState &chars = state().chars;
        if (chars.hidden)
            return;
        if (m_breakPending) {
            m_cursor.insertBlock();
            m_breakPending = false;
        }
        if (!m_pending.isEmpty() && !(chars == m_pendingState))
            flush();
        if (m_pending.isEmpty())
            m_pendingState = chars;
        m_pending += c;
    }

    void flush()
    {
        if (m_pending.isEmpty())
            return;
        m_cursor.insertText(m_pending, charFormat(m_pendingState));
        m_pending.clear();
    }

    // A paragraph mark ends the current paragraph with the properties now in force. The
    // next paragraph starts only when content follows, so a document's final mark does
    // not leave an empty paragraph behind.
    void paragraphBreak()
    {
        if (state().destination != Destination::Text)
            return;
        put(QChar());
        flush();
        if (m_breakPending)
            m_cursor.insertBlock();
        applyParagraph();
        m_breakPending = true;
    }

    void finish()
    {
        put(QChar());
        flush();
        if (!m_breakPending)
            applyParagraph();
    }

    void applyParagraph()
    {
        const ParaState &para = state().para;
        QTextBlockFormat format;
        format.setAlignment(para.alignment);
        format.setLeftMargin(para.left / TwipsPerPixel);
        format.setRightMargin(para.right / TwipsPerPixel);
        format.setTextIndent(para.first / TwipsPerPixel);
        format.setTopMargin(para.before / TwipsPerPixel);
        format.setBottomMargin(para.after / TwipsPerPixel);
        // A hanging indent (a list mark and a tab) has a tab stop where the next lines
        // start, as word processors have; tab positions count from the line's start.
        if (para.first < 0)
            format.setTabPositions({QTextOption::Tab(-para.first / TwipsPerPixel, QTextOption::LeftTab)});
        m_cursor.setBlockFormat(format);
        m_cursor.setBlockCharFormat(charFormat(state().chars)); // sizes an empty line
    }

    QTextCharFormat charFormat(const CharState &chars)
    {
        if (m_formatCache && m_formatCache->first == chars)
            return m_formatCache->second;
        QTextCharFormat format;
        const auto font = m_fonts.find(chars.font < 0 ? m_defaultFont : chars.font);
        if (font != m_fonts.end()) {
            format.setFontFamilies(QStringList{font->second.name});
            format.setFontStyleHint(font->second.hint);
        }
        format.setFontPointSize(chars.halfPoints / 2.0);
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontStrikeOut(chars.strike);
        if (const QColor color = colorAt(chars.foreground); color.isValid())
            format.setForeground(color);
        if (const QColor color = colorAt(chars.background); color.isValid())
            format.setBackground(color);
        if (chars.vertical != 0)
            format.setVerticalAlignment(chars.vertical > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
        m_formatCache.emplace(chars, format);
        return format;
    }

    QColor colorAt(int index) const
    {
        if (index < 0 || index >= int(m_colors.size()))
            return {};
        return m_colors[size_t(index)];
    }

    void startFont(int number)
    {
        commitFont();
        m_fontNumber = number;
        m_fontHint = QFont::AnyStyle;
    }

    // An entry ends at its ';' or, when that is missing, at the end of its group. Groups
    // inside an entry (\panose, \falt) are skipped and end nothing.
    void commitFont()
    {
        const QString name = m_fontName.trimmed();
        m_fontName.clear();
        if (name.isEmpty())
            return;
        if (m_fontNumber && m_fonts.size() < MaxTableEntries)
            m_fonts[*m_fontNumber] = FontEntry{name, m_fontHint};
        m_fontNumber.reset();
        m_fontHint = QFont::AnyStyle;
        m_formatCache.reset();
    }

    void commitColor()
    {
        m_formatCache.reset();
        if (m_colors.size() < MaxTableEntries)
            m_colors.push_back(m_colorGiven ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
    }

    Lexer m_lexer;
    QTextCursor m_cursor;
    std::vector<GroupState> m_groups; // [0] is the state outside the document's group
    int m_overflow = 0;               // open groups beyond MaxDepth
    int m_skipDepth = 0;              // >0 while inside a skipped destination
    int m_fallbackLeft = 0;           // \uN fallback characters still to pass over
    bool m_starred = false;
    bool m_finished = false;
    bool m_breakPending = false;
    QChar m_highSurrogate;

    QString m_pending;
    CharState m_pendingState;
    std::optional<std::pair<CharState, QTextCharFormat>> m_formatCache;

    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    std::optional<int> m_fontNumber;
    QString m_fontName;
    QFont::StyleHint m_fontHint = QFont::AnyStyle;

    std::vector<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;
};

} // namespace

void readRtf(QByteArrayView data, QTextDocument *doc)
{
    Reader(data, doc).run();
}

} // namespace zelk::rtf
