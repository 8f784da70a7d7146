#include "kolommenblad.h"

#include "report/listreport.h"
#include "store/table.h"
#include "store/velden.h"

namespace zelk::kolommenblad {

namespace {
constexpr double NameLeft = 2.0;
constexpr double AmountRight = 91.0;
} // namespace

TextStyle rowStyle()
{
    TextStyle style;
    style.pointSize = 9;
    return style;
}

QString key(int position)
{
    return QString::number(position);
}

void Blad::box(const QString &name, double x, double top, double bottom)
{
    m_band.addBox(name, QRectF(x, top, ColumnWidth, bottom - top), Qt::black);
}

void Blad::heading(const QString &name, const QString &text, double x, double top)
{
    m_band.addBox(name + QStringLiteral("_kader"), QRectF(x, top, ColumnWidth, HeadingHeight), Qt::black);
    m_band.addLabel(name, QRectF(x, top, ColumnWidth, HeadingHeight), text, rowStyle().withSize(12).withBold().withItalic().centred());
}

void Blad::slot(const QString &slotKey, double x, double y, double amountWidth, const TextStyle &nameStyle)
{
    const double amountLeft = AmountRight - amountWidth;
    m_band.addLabel(QStringLiteral("n_") + slotKey, QRectF(x + NameLeft, y, amountLeft - ColumnGap - NameLeft, RowHeight), {}, nameStyle);
    m_band.addLabel(QStringLiteral("b_") + slotKey, QRectF(x + amountLeft, y, amountWidth, RowHeight), {}, rowStyle().rightAligned());
}

void Blad::line(const QString &name, double y)
{
    m_band.addLine(name, QPointF(0, y), QPointF(RightColumn + ColumnWidth, y));
}

void Blad::fill(const QString &slotKey, const QString &name, const QString &amount)
{
    m_band.setText(QStringLiteral("n_") + slotKey, name);
    m_band.setText(QStringLiteral("b_") + slotKey, amount);
}

void rekeningen(const Table &accounts, QStringList &namen, std::vector<double> &saldi)
{
    for (int row = 0; row < accounts.recordCount(); ++row) {
        namen << accounts.valueAt(row, veld::rekeningen::Naam).toString();
        saldi.push_back(accounts.valueAt(row, veld::rekeningen::Saldo).toDouble());
    }
}

} // namespace zelk::kolommenblad
