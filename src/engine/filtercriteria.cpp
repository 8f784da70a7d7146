#include "filtercriteria.h"

#include "cents.h"
#include "store/velden.h"
#include "zelkerror.h"

#include <QRegularExpression>

namespace zelk {

const std::vector<FilterCriterion> &journaalCriteria()
{
    using namespace veld::journaal;
    using Kind = FilterCriterion::Kind;
    static const std::vector<FilterCriterion> criteria = {
        {QStringLiteral("Boekstuk"), JrNr.toString(), Kind::NumberRange},
        {QStringLiteral("Datum"), Datum.toString(), Kind::DateRange},
        {QStringLiteral("Omschrijving"), Omschrijving.toString(), Kind::Text},
        {QStringLiteral("Vanrekening"), Vanrekening.toString(), Kind::Text},
        {QStringLiteral("Naarrekening"), Naarrekening.toString(), Kind::Text},
    };
    return criteria;
}

const std::vector<FilterCriterion> &openPostCriteria()
{
    using namespace veld::openpost;
    using Kind = FilterCriterion::Kind;
    static const std::vector<FilterCriterion> criteria = {
        {QStringLiteral("Datum"), Datum.toString(), Kind::DateRange},
        {QStringLiteral("Omschrijving"), Omschrijving.toString(), Kind::Text},
        {QStringLiteral("Bedrag"), Bedrag.toString(), Kind::NumberRange},
    };
    return criteria;
}

FilterCriteria::FilterCriteria(std::vector<FilterCriterion> criteria, const AmountFormat &format)
    : m_criteria(std::move(criteria)), m_values(m_criteria.size()), m_format(format)
{
}

int FilterCriteria::indexOf(const QString &labelOrField) const
{
    const QString wanted = labelOrField.trimmed();
    for (int i = 0; i < count(); ++i)
        if (m_criteria[i].label.compare(wanted, Qt::CaseInsensitive) == 0 || m_criteria[i].field.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void FilterCriteria::setText(int criterion, const QString &text)
{
    m_values.at(criterion) = {text.trimmed(), {}};
}

void FilterCriteria::setRange(int criterion, const QString &from, const QString &to)
{
    m_values.at(criterion) = {from.trimmed(), to.trimmed()};
}

void FilterCriteria::clear()
{
    for (Value &v : m_values)
        v = {};
}

bool FilterCriteria::isBlank() const
{
    for (const Value &v : m_values)
        if (!v.text.isEmpty() || !v.to.isEmpty())
            return false;
    return true;
}

std::optional<QDate> FilterCriteria::readDate(const QString &text)
{
    // The year in four digits: a date half typed ("31-01-20") is no date yet.
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})[-/](\\d{1,2})[-/](\\d{4})$"));
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString trimmed = text.trimmed();
    QDate date;
    if (const auto m = dayFirst.match(trimmed); m.hasMatch())
        date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if (const auto y = yearFirst.match(trimmed); y.hasMatch())
        date = QDate(y.captured(1).toInt(), y.captured(2).toInt(), y.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

FilterCriteria::Bound FilterCriteria::bound(const FilterCriterion &criterion, const QString &text) const
{
    Bound b;
    if (text.isEmpty())
        return b;
    b.given = true;
    if (criterion.kind == FilterCriterion::Kind::DateRange) {
        const auto date = readDate(text);
        b.valid = date.has_value();
        b.date = date.value_or(QDate());
    } else {
        const auto number = m_format.parse(text);
        b.valid = number && cents::isValid(*number);
        b.number = b.valid ? cents::rounded(*number) : 0;
    }
    return b;
}

bool FilterCriteria::fromInvalid(int criterion) const
{
    const FilterCriterion &c = m_criteria.at(criterion);
    return c.isRange() && !bound(c, m_values.at(criterion).text).valid;
}

bool FilterCriteria::toInvalid(int criterion) const
{
    const FilterCriterion &c = m_criteria.at(criterion);
    return c.isRange() && !bound(c, m_values.at(criterion).to).valid;
}

QString FilterCriteria::problem(int criterion) const
{
    const FilterCriterion &c = m_criteria.at(criterion);
    const Value &v = m_values.at(criterion);
    QStringList wrong;
    if (fromInvalid(criterion))
        wrong << v.text;
    if (toInvalid(criterion))
        wrong << v.to;
    if (wrong.isEmpty())
        return {};
    const QString what = c.kind == FilterCriterion::Kind::DateRange
        ? QStringLiteral("geen datum; geef een datum als dag-maand-jaar, bijvoorbeeld 31-12-2025")
        : QStringLiteral("geen getal; geef een getal zoals %1").arg(m_format.plain(12.5));
    return QStringLiteral("%1: \"%2\" is %3. Zolang dat zo is, telt deze waarde niet mee.")
        .arg(c.label, wrong.join(QStringLiteral("\" en \"")), what);
}

namespace {
// A value written as the grid shows it, for the text criteria.
QString shownText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::Double:
        return AmountFormat::current().display(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nee");
    default:
        return value.toString();
    }
}

struct Test {
    int field;
    FilterCriterion::Kind kind;
    QString text;
    std::optional<double> from, to; // numbers in whole cents
    std::optional<QDate> fromDate, toDate;
};

bool passes(const Test &t, const QVariant &value)
{
    switch (t.kind) {
    case FilterCriterion::Kind::Text:
        return shownText(value).contains(t.text, Qt::CaseInsensitive);
    case FilterCriterion::Kind::DateRange: {
        const QDate d = value.toDate();
        if (!d.isValid())
            return false;
        return (!t.fromDate || d >= *t.fromDate) && (!t.toDate || d <= *t.toDate);
    }
    case FilterCriterion::Kind::NumberRange: {
        if (!value.isValid() || value.isNull())
            return false;
        const double n = value.toDouble();
        if (!cents::isValid(n))
            return false;
        const qint64 c = cents::of(n);
        return (!t.from || c >= cents::of(*t.from)) && (!t.to || c <= cents::of(*t.to));
    }
    }
    return true;
}
} // namespace

Table::Condition FilterCriteria::condition(const TableSchema &schema) const
{
    std::vector<Test> tests;
    for (int i = 0; i < count(); ++i) {
        const FilterCriterion &c = m_criteria[i];
        const Value &v = m_values[i];
        const int field = schema.indexOf(c.field);
        if (field < 0)
            throw Error(QStringLiteral("De tabel %1 heeft geen veld %2.").arg(schema.fileName, c.field));
        Test t{field, c.kind, {}, {}, {}, {}, {}};
        if (c.kind == FilterCriterion::Kind::Text) {
            if (v.text.isEmpty())
                continue;
            t.text = v.text;
        } else {
            const Bound from = bound(c, v.text);
            const Bound to = bound(c, v.to);
            const bool useFrom = from.given && from.valid;
            const bool useTo = to.given && to.valid;
            if (!useFrom && !useTo)
                continue;
            if (c.kind == FilterCriterion::Kind::DateRange) {
                if (useFrom)
                    t.fromDate = from.date;
                if (useTo)
                    t.toDate = to.date;
            } else {
                if (useFrom)
                    t.from = from.number;
                if (useTo)
                    t.to = to.number;
            }
        }
        tests.push_back(std::move(t));
    }
    if (tests.empty())
        return {};
    return [tests = std::move(tests)](const Table::Values &values) {
        for (const Test &t : tests)
            if (!passes(t, values.value(t.field)))
                return false;
        return true;
    };
}

} // namespace zelk
