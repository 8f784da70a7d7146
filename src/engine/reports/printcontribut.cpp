#include "printcontribut.h"

#include "databases.h"
#include "ledenkolommen.h"
#include "report/listreport.h"
#include "report/reportframe.h"
#include "reportsettings.h"
#include "store/velden.h"
#include "tabledatasource.h"

namespace zelk {

QString printcontribut::squareName(const QString &field)
{
    return QStringLiteral("vak_") + field;
}

QString printcontribut::markName(const QString &field)
{
    return QStringLiteral("teken_") + field;
}

printcontribut::printcontribut(DataModule1 &data)
{
    m_report = std::make_shared<Report>(titles::printcontribut.unit, PageSetup::a4());
    ReportFrame::apply(*m_report, titles::printcontribut, frameSettingsOf(data));
    Band &block = m_report->addBand(BandKind::Detail, 19.1);
    const double width = m_report->page.printableWidth();
    block.addLine(QStringLiteral("stippellijn"), QPointF(0, 0.3), QPointF(width, 0.3), LineStyle::Dotted);
    block.addField(veld::leden::Naam.toString(), QRectF(2.1, 0.6, width - 2.1, 4.2), veld::leden::Naam.toString(), ValueFormat::Text,
                   textOfSize(9).withBold());
    // "maanden" has the room up to the first frame.
    block.addLabel(QStringLiteral("maanden"), QRectF(6.9, 10.6, 24.3 - ColumnGap - 6.9, 4.2), QStringLiteral("maanden"), textOfSize(9));

    struct Family {
        const char *caption, *prefix;
        double frameLeft, firstSquare;
    };
    const Family families[] = {{"vorig jaar", "A", 24.3, 25.1}, {"dit jaar", "", 75.1, 76.2}, {"volgend jaar", "V", 125.9, 127.0}};
    const char *const initials[] = {"j", "f", "m", "a", "m", "j", "j", "a", "s", "o", "n", "d"};
    QStringList allFields;
    for (const Family &f : families) {
        block.addBox(QStringLiteral("kader_") + QString::fromLatin1(f.caption), QRectF(f.frameLeft, 6.9, 51.1, 9.8), Qt::black);
        // The caption sits on the frame's top edge, on white so that the edge does not cross it.
        const QString caption = QString::fromLatin1(f.caption);
        const TextStyle captionStyle = textOfSize(7);
        block.addBox(QStringLiteral("achtergrond_") + caption, QRectF(f.frameLeft + 1.5, 5.6, captionStyle.widthMm(caption) + 1.0, 2.6),
                     QColor(), Qt::white);
        block.addLabel(QStringLiteral("onderschrift_") + caption, QRectF(f.frameLeft + 2.0, 5.2, captionStyle.widthMm(caption) + 0.5, 3.4),
                       caption, captionStyle);
        const QStringList fields = markFields(f.prefix);
        for (int m = 0; m < 12; ++m) {
            const double x = f.firstSquare + m * 4.23;
            block.addLabel(QStringLiteral("letter_") + fields[m], QRectF(x - 0.6, 9.4, 3.3, 3.4), QString::fromLatin1(initials[m]),
                           textOfSize(7).centred());
            block.addBox(squareName(fields[m]), QRectF(x, 13.2, 2.1, 2.1), Qt::black, Qt::white);
            // The mark as a character in the square's own colour: invisible on paper, but a
            // report saved as text or CSV still shows which months are in order.
            block.addLabel(markName(fields[m]), QRectF(x - 0.6, 13.2, 3.3, 2.1), QString(), textOfSize(5).centred());
        }
        allFields << fields;
    }
    // Before each block prints, every square shows its member's mark: black when set,
    // white when not set or blank.
    block.beforePrint = [allFields](BandContext &c) {
        for (const QString &field : allFields) {
            const int index = c.row ? c.row->fieldIndex(field) : -1;
            const bool set = index >= 0 && c.row->value(index).toBool();
            const QColor colour = set ? QColor(Qt::black) : QColor(Qt::white);
            c.band.element(squareName(field)).fill = colour;
            ReportElement &mark = c.band.element(markName(field));
            mark.text = set ? QStringLiteral("x") : QStringLiteral("-");
            mark.style.color = colour;
        }
        return true;
    };
    m_report->setData(std::make_shared<TableDataSource>(data.ledentabel));
}

} // namespace zelk
