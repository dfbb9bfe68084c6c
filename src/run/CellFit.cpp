#include "run/CellFit.h"

#include "frame/NumberText.h"
#include "run/NumberFit.h"

#include <QFontMetricsF>

#include <algorithm>

namespace XQTestDev {

namespace {

constexpr qreal PointStep = 0.5;
const QChar Ellipsis(0x2026);

bool fits(const QString& text, const QFont& font, int width) {
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

QFont withPointSize(const QFont& font, qreal size) {
    QFont smaller = font;
    smaller.setPointSizeF(size);
    return smaller;
}

QString roundedToFit(double value, const QFont& font, int width, int digitsNeeded) {
    return roundedNumberToFit(
        value, [&](const QString& text) { return fits(text, font, width); }, digitsNeeded);
}

// The start of a text that does not fit, with "…". Only as much of it is
// measured as could fit at all.
QString elidedToFit(const QString& text, const QFont& font, int width) {
    const QFontMetricsF metrics(font);
    const QString measured = text.left(mostCharactersThatFit(width));
    QString elided = metrics.elidedText(measured, Qt::ElideRight, width);
    // Only zero-width characters get here whole: the text was cut all the same.
    if (elided == measured && measured.size() < text.size())
        elided = metrics.elidedText(measured + Ellipsis, Qt::ElideRight, width);
    return elided;
}

// What a text that does not fit at the smallest size shows: a number rounded,
// any other text elided.
FittedCell shownInPart(FittedCell cell, const QString& trimmed, int width, qreal minimumPointSize,
                       int digitsNeeded) {
    cell.font = withPointSize(cell.font, minimumPointSize);
    cell.whole = false;
    cell.text = cell.number ? roundedToFit(leadingNumber(trimmed), cell.font, width, digitsNeeded)
                            : elidedToFit(trimmed, cell.font, width);
    return cell;
}

} // namespace

int mostCharactersThatFit(int widthPixels) {
    // Even the narrowest printable character is wider than half a pixel at
    // the smallest size.
    return 2 * std::max(widthPixels, 0) + 2;
}

FittedCell fitCell(const QString& shown, const QFont& font, int widthPixels, qreal minimumPointSize,
                   int digitsNeeded) {
    const QString trimmed = shown.trimmed();
    FittedCell cell{shown, font, isNumericText(trimmed), true};
    if (trimmed.isEmpty())
        return cell;
    // A result of 100,000 characters measured at every size took a tenth of
    // a second; a text longer than any that fits is not measured as a whole.
    if (trimmed.size() > mostCharactersThatFit(widthPixels))
        return shownInPart(cell, trimmed, widthPixels, minimumPointSize, digitsNeeded);
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
    return shownInPart(cell, trimmed, widthPixels, minimumPointSize, digitsNeeded);
}

} // namespace XQTestDev
