#include "ui/FailMark.h"

#include <QFontMetricsF>

namespace XQTestDev {

QString withFailMark(const QString& text) {
    return FailMark.toString() + text;
}

bool hasFailMark(const QString& shown) {
    return shown.startsWith(FailMark);
}

qreal failMarkWidth(const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(FailMark.toString());
}

} // namespace XQTestDev
