#pragma once
// The RTF control words the reader acts on, and the destinations it reads or skips.
#include <QByteArrayView>

namespace zelk::rtf {

enum class Word {
    Unknown,
    // destinations that are read
    FontTable,
    ColorTable,
    Field,
    FieldResult,
    ListText,
    NumberText,
    // destinations that are skipped with everything in them
    Skipped,
    // document and tables
    DefaultFont,
    Bin,
    Unicode,
    UnicodeSkip,
    Font,
    FamilyRoman,
    FamilySwiss,
    FamilyModern,
    FamilyScript,
    FamilyDecor,
    Red,
    Green,
    Blue,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    FontSize,
    Foreground,
    Background,
    Super,
    Sub,
    NoSuperSub,
    // paragraphs
    ParagraphDefault,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    // breaks and special characters
    Paragraph,
    Tab,
    Line,
    EmDash,
    EnDash,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    Bullet,
    EmSpace,
    EnSpace,
    QuarterEmSpace,
};

Word word(QByteArrayView name);

// Destinations whose content is not document text: headers, footnotes, pictures,
// objects, document information, style and list definitions, field instructions...
inline bool isSkippedDestination(Word w)
{
    return w == Word::Skipped;
}

// Destinations the reader understands, also when they are marked ignorable with \*.
inline bool isReadDestination(Word w)
{
    return w == Word::FontTable || w == Word::ColorTable || w == Word::Field || w == Word::FieldResult || w == Word::ListText
        || w == Word::NumberText;
}

} // namespace zelk::rtf
