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

QString rowText(const TextRow &row, double margin)
{
    QString line;
    const bool rulesOnly = row.onlyRules();
    for (const TextCell &cell : row.cells) {
        if (cell.rule && !rulesOnly)
            continue;
        const QString text = cell.rule ? QString(std::max(1, columnOf(cell.right, margin) - columnOf(cell.left, margin)), u'-') : cell.text;
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
