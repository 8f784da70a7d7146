#include "report.h"

#include "zelkerror.h"

namespace zelk {

Report::Report(const QString &name, const PageSetup &page) : name(name), page(page), printDate(reportPrintDate()) { }

Band &Report::addBand(BandKind kind, double height)
{
    auto &slot = m_bands[int(kind)];
    if (slot)
        throw Error(QStringLiteral("Het overzicht %1 heeft deze band al.").arg(name));
    slot = std::make_unique<Band>(kind, height);
    return *slot;
}

void Report::setData(std::shared_ptr<ReportDataSource> source, RowFilter filter)
{
    m_data = std::move(source);
    m_filter = std::move(filter);
}

void Report::runBeforePrint()
{
    for (auto &hook : m_beforePrint)
        hook(*this);
}

void Report::warn(const QString &message)
{
    if (!m_messages.contains(message))
        m_messages.append(message);
}

QDate reportPrintDate()
{
    const QString fixed = qEnvironmentVariable("ZELK_REPORT_DATE");
    if (!fixed.isEmpty()) {
        const QDate date = QDate::fromString(fixed, Qt::ISODate);
        if (date.isValid())
            return date;
    }
    return QDate::currentDate();
}

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd-MM-yyyy"));
}

} // namespace zelk
