#include "rtflexer.h"

#include <algorithm>

namespace zelk::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token makeToken(Token::Kind kind)
{
    Token token;
    token.kind = kind;
    return token;
}

} // namespace

Token Lexer::next()
{
    while (m_pos < m_data.size()) {
        const char c = m_data[m_pos];
        if (c == '\r' || c == '\n') { // line ends carry no meaning in RTF
            ++m_pos;
            continue;
        }
        if (c == '{') {
            ++m_pos;
            return makeToken(Token::GroupOpen);
        }
        if (c == '}') {
            ++m_pos;
            return makeToken(Token::GroupClose);
        }
        if (c == '\\') {
            ++m_pos;
            if (m_pos >= m_data.size())
                return makeToken(Token::End);
            return isLetter(m_data[m_pos]) ? controlWord() : controlSymbol();
        }
        return textRun();
    }
    return makeToken(Token::End);
}

void Lexer::skipBytes(qint64 count)
{
    if (count > 0)
        m_pos += std::min<qint64>(count, m_data.size() - m_pos);
}

Token Lexer::controlWord()
{
    Token token = makeToken(Token::Word);
    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
        ++m_pos;
    // An overlong name is kept cut short: it then matches no known word and is ignored.
    token.text = m_data.sliced(start, std::min<qsizetype>(m_pos - start, MaxWordLength));

    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
        token.hasParameter = true;
        qint64 value = 0;
        while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
            value = std::min<qint64>(value * 10 + (m_data[m_pos] - '0'), MaxParameter);
            ++m_pos;
        }
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_data.size() && m_data[m_pos] == ' ') // the delimiting blank belongs to the word
        ++m_pos;
    return token;
}

Token Lexer::controlSymbol()
{
    const char c = m_data[m_pos++];
    if (c == '\'') {
        if (m_pos + 1 < m_data.size()) {
            const int high = hexValue(m_data[m_pos]);
            const int low = hexValue(m_data[m_pos + 1]);
            if (high >= 0 && low >= 0) {
                m_pos += 2;
                Token token = makeToken(Token::Hex);
                token.byte = static_cast<unsigned char>(high * 16 + low);
                return token;
            }
        }
        Token broken = makeToken(Token::Symbol); // a malformed \' is dropped by the reader
        broken.symbol = '\'';
        return broken;
    }
    Token token = makeToken(Token::Symbol);
    token.symbol = c;
    return token;
}

Token Lexer::textRun()
{
    const qsizetype start = m_pos;
    while (m_pos < m_data.size()) {
        const char c = m_data[m_pos];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    Token token = makeToken(Token::Text);
    token.text = m_data.sliced(start, m_pos - start);
    return token;
}

} // namespace zelk::rtf
