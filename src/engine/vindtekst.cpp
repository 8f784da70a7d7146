#include "vindtekst.h"

#include "report/report.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QDate>
#include <QTextCursor>
#include <QTextDocument>

namespace zelk {

const std::vector<Placeholder> &placeholders()
{
    using namespace veld::leden;
    static const std::vector<Placeholder> all = {
        {QStringLiteral("<naam>"), Naam},         {QStringLiteral("<straat>"), Straat},         {QStringLiteral("<pcode>"), Pcode},
        {QStringLiteral("<plaats>"), Plaats},     {QStringLiteral("<email>"), Email},           {QStringLiteral("<gebdat>"), GebDatum},
        {QStringLiteral("<opmerk1>"), Opmerk1},   {QStringLiteral("<opmerk2>"), Opmerk2},       {QStringLiteral("<opmerk3>"), Opmerk3},
        {QStringLiteral("<soortlid>"), Soortlid}, {QStringLiteral("<contributie>"), Lidbedrag}, {QStringLiteral("<bank>"), BankGiro},
    };
    return all;
}

int vindtekst(QTextDocument &doc, const QString &placeholder, const QString &value)
{
    if (placeholder.isEmpty())
        return 0;
    // The plain text has one character per position of the document (a paragraph end is
    // one "\n"), so a position found in it is a cursor position, once shifted by what the
    // replacements before it added or took away. The text itself is not changed: a long
    // letter would be copied again at every placeholder.
    const QString text = doc.toPlainText();
    int replaced = 0;
    qsizetype shift = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype found = text.indexOf(placeholder, from, Qt::CaseInsensitive);
        if (found < 0)
            break;
        const qsizetype at = found + shift;
        QTextCursor cursor(&doc);
        cursor.setPosition(int(at + 1)); // the format of the character before the cursor: the first one
        const QTextCharFormat format = cursor.charFormat();
        cursor.setPosition(int(at));
        cursor.setPosition(int(at + placeholder.size()), QTextCursor::KeepAnchor);
        cursor.insertText(value, format);
        shift += value.size() - placeholder.size();
        // Searching on after the occurrence in the text as it was: a value that holds the
        // placeholder (a remark reading "<opmerk1>") is not replaced again and again.
        from = found + placeholder.size();
        ++replaced;
    }
    return replaced;
}

QString placeholderText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().isValid() ? shortDate(value.toDate()) : QString();
    return value.toString();
}

QStringList memberValues(const std::function<QVariant(QStringView field)> &field)
{
    QStringList values;
    for (const Placeholder &p : placeholders())
        values << placeholderText(field(p.field));
    return values;
}

void mergeMember(QTextDocument &doc, const QStringList &values)
{
    const auto &all = placeholders();
    if (values.size() != qsizetype(all.size()))
        throw Error(
            QStringLiteral("Het samenvoegen van een brief vraagt om %1 ledengegevens, niet %2.").arg(all.size()).arg(values.size()));
    for (std::size_t i = 0; i < all.size(); ++i)
        vindtekst(doc, all[i].code, values[qsizetype(i)]);
}

} // namespace zelk
