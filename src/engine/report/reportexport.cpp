#include "reportexport.h"

#include "filesave.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QDir>

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
    // The whole file is made in memory and only then saved in one step, so a failed save
    // leaves the previous file as it was and never a half one.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == ExportFormat::Pdf)
        writePdf(document, buffer);
    else if (format == ExportFormat::Text)
        writeText(document, buffer);
    else if (format == ExportFormat::Csv)
        writeCsv(document, buffer);
    else
        writeHtml(document, buffer);
    buffer.close();
    // The PDF engine does not report a failing device while painting: a whole PDF starts
    // with its header and ends with its end-of-file mark.
    if (format == ExportFormat::Pdf && (!bytes.startsWith("%PDF-") || !bytes.trimmed().endsWith("%%EOF")))
        throw Error(QStringLiteral("Het PDF-bestand %1 kan niet worden gemaakt.").arg(QDir::toNativeSeparators(path)));
    saveFile(path, bytes);
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
