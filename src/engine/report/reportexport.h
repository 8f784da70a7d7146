#pragma once
// Saving a laid-out report: PDF (the pages as painted), plain text, comma-separated text
// and HTML. All formats are written as UTF-8.
#include "reportdocument.h"

#include <QIODevice>
#include <optional>

namespace zelk {

enum class ExportFormat { Pdf, Text, Csv, Html };

// "pdf", "txt" (or "text"), "csv", "html" (or "htm"), in any case; nullopt for others.
std::optional<ExportFormat> exportFormatFromName(const QString &name);
QString exportSuffix(ExportFormat format); // "pdf", "txt", "csv", "html"

// Writes the whole report to `path` in one step (see saveFile); throws zelk::Error (Dutch)
// when it cannot be saved, and then a previous file at `path` is left as it was.
void exportReport(ReportDocument &document, ExportFormat format, const QString &path);

// Plain text: every page's texts at character columns (1.6 mm each) in rows, horizontal
// lines as dashes; pages are separated by a form feed on a line of its own. It is the
// pages in text: a value cut with "…" on the page is cut the same way here, so that the
// columns stay in line and no row runs wider than the paper. CSV and HTML keep whole values.
void writeText(ReportDocument &document, QIODevice &out);

// Comma-separated text: one record per row of texts, cells separated by ",", quoted where
// needed. Page headers and column headings are written once (from the first page), page
// footers and lines not at all, so the file holds the report's contents once.
// A report with csvRecords gets those instead.
void writeCsv(ReportDocument &document, QIODevice &out);

// HTML: every page as a box of paper size with its items placed in millimetres. Each text
// holds its whole value; the browser cuts one too wide for its box with "…" on screen.
void writeHtml(ReportDocument &document, QIODevice &out);

// PDF: the pages painted exactly as on paper.
void writePdf(ReportDocument &document, QIODevice &out);

// A CSV field: quoted (with doubled quotes) when it holds a comma, quote or line break.
QString csvField(const QString &text);

} // namespace zelk
