#include "reportexport.h"

#include "reportsink.h"
#include "zelkerror.h"

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
    // The pages are laid out, written and dropped one by one into a temporary file beside
    // the target, which takes the target's place only when all is written: an error of the
    // report or of the disk leaves the previous file as it was, and never a half one.
    ReportSink sink(path);
    sink.start();
    try {
        if (format == ExportFormat::Pdf)
            writePdf(document, sink);
        else if (format == ExportFormat::Text)
            writeText(document, sink);
        else if (format == ExportFormat::Csv)
            writeCsv(document, sink);
        else
            writeHtml(document, sink);
    } catch (const Error &) {
        stopWhenFailed(sink); // a full disk is said as such, whatever the writer made of it
        throw;
    }
    stopWhenFailed(sink);
    // The PDF engine does not report a failing device while painting: a whole PDF starts
    // with its header and ends with its end-of-file mark.
    if (format == ExportFormat::Pdf && (!sink.head().startsWith("%PDF-") || !sink.tail().trimmed().endsWith("%%EOF")))
        throw Error(QStringLiteral("Het PDF-bestand %1 kan niet worden gemaakt.").arg(QDir::toNativeSeparators(path)));
    sink.finish();
}

void writeOut(QIODevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size()) {
        stopWhenFailed(out);
        throw Error(QStringLiteral("Het overzicht kan niet worden geschreven."));
    }
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
