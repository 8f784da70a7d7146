#include "fieldlength.h"

#include "zelkerror.h"

#include <QTextBoundaryFinder>

namespace zelk::fieldlength {

int characters(QStringView text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

QString fitting(QStringView text, int size)
{
    if (characters(text) <= size)
        return text.toString();
    const QString whole = text.toString();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, whole);
    qsizetype end = 0;
    for (qsizetype at = graphemes.toNextBoundary(); at > 0; at = graphemes.toNextBoundary()) {
        if (characters(QStringView(whole).left(at)) > size)
            break;
        end = at;
    }
    return whole.left(end);
}

void check(const FieldDef &field, const QString &text)
{
    if (!text.isValidUtf16())
        throw Error(QStringLiteral("De tekst voor het veld %1 bevat een half teken en kan zo niet worden opgeslagen.").arg(field.name));
    const int length = characters(text);
    if (field.type == FieldType::Text && length > field.size)
        throw Error(QStringLiteral("De tekst voor het veld %1 is %2 tekens lang; er passen er ten hoogste %3 in. Maak de tekst korter.")
                        .arg(field.name)
                        .arg(length)
                        .arg(field.size));
}

} // namespace zelk::fieldlength
