#include "ui/SizeLimits.h"

#include <QLayout>
#include <QVariant>
#include <QWidget>

namespace XQTestDev {

namespace {
const char* const MinimumProperty = "xqSetAsideMinimumSize";
const char* const ConstraintProperty = "xqSetAsideSizeConstraint";
} // namespace

void setSizeLimitsAside(QWidget& window) {
    if (window.property(MinimumProperty).isValid())
        return;
    window.setProperty(MinimumProperty, window.minimumSize());
    if (QLayout* layout = window.layout()) {
        window.setProperty(ConstraintProperty, static_cast<int>(layout->sizeConstraint()));
        layout->setSizeConstraint(QLayout::SetNoConstraint);
    }
    window.setMinimumSize(0, 0);
}

void restoreSizeLimits(QWidget& window) {
    const QVariant minimum = window.property(MinimumProperty);
    if (!minimum.isValid())
        return;
    window.setMinimumSize(minimum.toSize());
    const QVariant constraint = window.property(ConstraintProperty);
    if (QLayout* layout = window.layout(); layout && constraint.isValid())
        layout->setSizeConstraint(static_cast<QLayout::SizeConstraint>(constraint.toInt()));
    window.setProperty(MinimumProperty, QVariant());
    window.setProperty(ConstraintProperty, QVariant());
}

} // namespace XQTestDev
