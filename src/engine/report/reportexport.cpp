#include "reportexport.h"

#include "zelkerror.h"

#include <QSaveFile>

namespace zelk {

std::optional<ExportFormat> exportFormatFromName(const QString &name)
{
    const QString n = name.toLower();
    if (n == u"pdf")
        return ExportFormat::Pdf;
    if (n == u"txt" || n == u"text")
        return ExportFormat::Text;
    if (n == u"csv")
        return ExportFormat::Csv;
    if (n == u"html" || n == u"htm")
        return ExportFormat::Html;
    return std::nullopt;
}

QString exportSuffix(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Pdf:
        return QStringLiteral("pdf");
    case ExportFormat::Text:
        return QStringLiteral("txt");
    case ExportFormat::Csv:
        return QStringLiteral("csv");
    case ExportFormat::Html:
        return QStringLiteral("html");
    }
    return {};
}

void exportReport(ReportDocument &document, ExportFormat format, const QString &path)
{
    document.pageCount(); // lay out everything first: errors of the report come before the file
    // Written to a temporary file and renamed, so a failed save leaves no half file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Het bestand %1 kan niet worden aangemaakt: %2").arg(path, file.errorString()));
    if (format == ExportFormat::Pdf)
        writePdf(document, file);
    else if (format == ExportFormat::Text)
        writeText(document, file);
    else if (format == ExportFormat::Csv)
        writeCsv(document, file);
    else
        writeHtml(document, file);
    if (!file.commit())
        throw Error(QStringLiteral("Het bestand %1 kan niet worden geschreven: %2").arg(path, file.errorString()));
}

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace zelk
