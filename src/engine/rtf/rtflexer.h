#pragma once
// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and text runs.
// Each byte is looked at once, whatever the input: lengths and numbers are bounded, so
// hostile input can neither loop nor overflow.
#include <QByteArrayView>

namespace zelk::rtf {

struct Token {
    enum Kind { End, GroupOpen, GroupClose, Word, Symbol, Hex, Text };
    Kind kind = End;
    QByteArrayView text; // Word: its name (at most MaxWordLength letters); Text: the bytes
    bool hasParameter = false;
    int parameter = 0;      // clamped to +-MaxParameter
    char symbol = 0;        // Symbol: the character after the backslash
    unsigned char byte = 0; // Hex: the byte value
};

class Lexer {
public:
    static constexpr int MaxWordLength = 32;
    static constexpr int MaxParameter = 1'000'000'000;

    explicit Lexer(QByteArrayView data) : m_data(data) { }

    Token next();
    // Passes over raw bytes (the data of \binN); stops at the end of the input.
    void skipBytes(qint64 count);

private:
    Token controlWord();
    Token controlSymbol();
    Token textRun();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace zelk::rtf
