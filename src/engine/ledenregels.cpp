#include "ledenregels.h"

#include "store/fieldlength.h"
#include "store/table.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QRegularExpression>

namespace zelk::ledenregels {

namespace {

// A value in a message: long values are cut so that one message stays one line.
QString shown(const QString &text)
{
    constexpr int most = 40;
    QString t = text.size() > most ? text.left(most) + QStringLiteral("…") : text;
    for (QChar &c : t)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return u'"' + t + u'"';
}

QDate checkedYear(const QString &text, int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        throw Error(QStringLiteral("%1 is geen geldige geboortedatum: die dag bestaat niet. Gebruik %2, bijvoorbeeld 31-12-1980.")
                        .arg(shown(text), datumvormen()));
    return date;
}

} // namespace

QString datumvormen()
{
    return QStringLiteral("dd-mm-jjjj (ook d-m-jjjj, dd/mm/jjjj of jjjj-mm-dd)");
}

QString naamOntbreekt()
{
    return QStringLiteral("De naam ontbreekt; een lid zonder naam kan niet worden bewaard.");
}

QDate geboortedatum(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    // day-month-year with '-' or '/' (the same between all three), or year-month-day.
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})([-/])(\\d{1,2})\\2(\\d{1,})$"));
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (const auto m = yearFirst.match(t); m.hasMatch())
        return checkedYear(text, m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (const auto m = dayFirst.match(t); m.hasMatch()) {
        const QString year = m.captured(4);
        if (year.size() <= 2)
            throw Error(QStringLiteral("%1 heeft een jaartal van twee cijfers; schrijf het jaar voluit (bijvoorbeeld 19%2 of 20%2 "
                                       "in plaats van %3).")
                            .arg(shown(text), year.rightJustified(2, u'0'), year));
        if (year.size() != 4 || year.startsWith(u'0'))
            throw Error(QStringLiteral("%1 is geen geldige geboortedatum: het jaar moet vier cijfers hebben. Gebruik %2, "
                                       "bijvoorbeeld 31-12-1980.")
                            .arg(shown(text), datumvormen()));
        return checkedYear(text, year.toInt(), m.captured(3).toInt(), m.captured(1).toInt());
    }
    throw Error(QStringLiteral("%1 is geen geldige geboortedatum. Gebruik %2, bijvoorbeeld 31-12-1980.").arg(shown(text), datumvormen()));
}

QString tekst(const FieldDef &field, const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    t = t.trimmed();
    const bool isName = field.name == veld::leden::Naam;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.category() != QChar::Other_Control || (c == u'\n' && !isName))
            continue;
        if (c == u'\n')
            throw Error(QStringLiteral("De naam %1 loopt over meer regels; een naam moet op één regel staan.").arg(shown(t)));
        throw Error(QStringLiteral("%1 bevat een stuurteken (code %2) op plaats %3; alleen gewone tekst kan worden bewaard.")
                        .arg(field.name)
                        .arg(c.unicode())
                        .arg(i + 1));
    }
    // Counted as the store counts: an emoji or an accented letter is one character.
    if (const int length = fieldlength::characters(t); field.size > 0 && length > field.size)
        throw Error(QStringLiteral("%1 %2 is %3 tekens lang; er passen er %4 in.").arg(field.name, shown(t)).arg(length).arg(field.size));
    return t;
}

void keur(Table &leden)
{
    if (!leden.isEditing())
        return;
    for (const FieldDef &field : leden.schema().fields) {
        if (field.type == FieldType::Text) {
            const QVariant value = leden.value(field.name);
            if (value.isNull() || !value.isValid())
                continue;
            const QString cleaned = tekst(field, value.toString());
            if (cleaned != value.toString())
                leden.setValue(field.name, cleaned);
        } else if (field.type == FieldType::Date) {
            const QDate date = leden.date(field.name);
            if (date.isValid() && date.year() < 1000)
                throw Error(QStringLiteral("De geboortedatum %1 heeft geen jaartal van vier cijfers; schrijf het jaar voluit.")
                                .arg(date.toString(QStringLiteral("dd-MM-yyyy"))));
        }
    }
    if (leden.text(veld::leden::Naam).isEmpty())
        throw Error(naamOntbreekt());
}

} // namespace zelk::ledenregels
