// Plain-text and comma-separated exports.
#include "reportexport.h"
#include "reporttextrows.h"

namespace zelk {

namespace {
constexpr double ColumnWidth = 1.6; // mm per character

int columnOf(double mm, double margin)
{
    return std::max(0, qRound((mm - margin) / ColumnWidth));
}

// What a cell shows. A text the page cuts is cut here to the characters its box holds, so
// that the row's later columns stay in line; a text the page shows whole stays whole.
QString cellText(const TextCell &cell, double margin)
{
    if (cell.rule)
        return QString(std::max(1, columnOf(cell.right, margin) - columnOf(cell.left, margin)), u'-');
    if (cell.shown == cell.text)
        return cell.text;
    // (a character less than the box spans: both ends are rounded to whole characters)
    const int room = std::max(1, columnOf(cell.right, margin) - columnOf(cell.left, margin) - 1);
    if (cell.shown.size() <= room)
        return cell.shown;
    QString start = cell.shown.left(room - 1);
    while (!start.isEmpty() && start.back().isSpace())
        start.chop(1);
    return start + QChar(0x2026);
}

QString rowText(const TextRow &row, double margin)
{
    QString line;
    const bool rulesOnly = row.onlyRules();
    for (const TextCell &cell : row.cells) {
        if (cell.rule && !rulesOnly)
            continue;
        const QString text = cellText(cell, margin);
        int start = columnOf(cell.left, margin);
        if (cell.align == TextCell::Align::Right)
            start = columnOf(cell.right, margin) - int(text.size());
        else if (cell.align == TextCell::Align::Centre)
            start = columnOf((cell.left + cell.right) / 2, margin) - int(text.size()) / 2;
        const int earliest = line.isEmpty() ? 0 : int(line.size()) + 1; // texts never run together
        start = std::max(start, earliest);
        line += QString(start - line.size(), u' ');
        line += text;
    }
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}
} // namespace

void writeText(ReportDocument &document, QIODevice &out)
{
    const double margin = document.pageSetup().margin;
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        QString text;
        if (i > 0)
            text += QStringLiteral("\f\n");
        for (const TextRow &row : pageTextRows(document, document.page(i))) {
            text += rowText(row, margin);
            text += u'\n';
        }
        out.write(text.toUtf8());
    }
}

void writeCsv(ReportDocument &document, QIODevice &out)
{
    if (const auto &records = document.report().csvRecords; !records.empty()) {
        QString text;
        for (const QStringList &record : records) {
            QStringList fields;
            for (const QString &field : record)
                fields.append(csvField(field));
            text += fields.join(u',') + u'\n';
        }
        out.write(text.toUtf8());
        return;
    }
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        QString text;
        for (const TextRow &row : pageTextRows(document, document.page(i))) {
            if (row.band == BandKind::PageFooter)
                continue;
            if (i > 0 && (row.band == BandKind::PageHeader || row.band == BandKind::ColumnHeader))
                continue;
            QStringList fields;
            for (const TextCell &cell : row.cells)
                if (!cell.rule)
                    fields.append(csvField(cell.text.trimmed()));
            if (fields.isEmpty())
                continue;
            text += fields.join(u',');
            text += u'\n';
        }
        out.write(text.toUtf8());
    }
}

} // namespace zelk
