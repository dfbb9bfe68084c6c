#include "run/CellFit.h"

#include "run/NumberFit.h"
#include "run/TestLine.h"

#include <QFontMetricsF>

namespace XQTestDev {

namespace {

constexpr qreal PointStep = 0.5;

bool fits(const QString& text, const QFont& font, int width) {
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

QFont withPointSize(const QFont& font, qreal size) {
    QFont smaller = font;
    smaller.setPointSizeF(size);
    return smaller;
}

QString roundedToFit(double value, const QFont& font, int width) {
    return roundedNumberToFit(value, [&](const QString& text) { return fits(text, font, width); });
}

} // namespace

FittedCell fitCell(const QString& shown, const QFont& font, int widthPixels,
                   qreal minimumPointSize) {
    const QString trimmed = shown.trimmed();
    FittedCell cell{shown, font, isNumericText(trimmed), true};
    if (trimmed.isEmpty())
        return cell;
    const qreal largest = font.pointSizeF() > 0 ? font.pointSizeF() : minimumPointSize;
    for (qreal size = largest; size >= minimumPointSize - 0.01; size -= PointStep) {
        cell.font = withPointSize(font, size);
        if (fits(shown, cell.font, widthPixels))
            return cell;
        // The blank after a shown value only keeps it off the cell's edge.
        if (trimmed != shown && fits(trimmed, cell.font, widthPixels)) {
            cell.text = trimmed;
            return cell;
        }
    }
    cell.font = withPointSize(font, minimumPointSize);
    cell.whole = false;
    cell.text = cell.number
                    ? roundedToFit(leadingNumber(trimmed), cell.font, widthPixels)
                    : QFontMetricsF(cell.font).elidedText(trimmed, Qt::ElideRight, widthPixels);
    return cell;
}

} // namespace XQTestDev
