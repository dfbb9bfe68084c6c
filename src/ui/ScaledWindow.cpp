#include "ui/ScaledWindow.h"

#include "ui/Pictures.h"
#include "ui/WindowParts.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <utility>
#include <vector>

namespace XQTestDev {

namespace {

int scaled(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

QRect scaledRect(const QRect& place, double factor) {
    const int left = scaled(place.left(), factor);
    const int top = scaled(place.top(), factor);
    return {left, top, scaled(place.left() + place.width(), factor) - left,
            scaled(place.top() + place.height(), factor) - top};
}

QFont scaledFont(QFont font, double factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), factor)));
    return font;
}

// Every font set on the window or a control, as it reads before any changes:
// a control that sets only "bold" inherits its size, and must not be scaled
// twice once its parent is.
void scaleFonts(QWidget& window, double factor) {
    std::vector<std::pair<QWidget*, QFont>> fonts{{&window, window.font()}};
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child->testAttribute(Qt::WA_SetFont) && child->window() == &window)
            fonts.emplace_back(child, child->font());
    }
    for (auto& [widget, font] : fonts)
        widget->setFont(scaledFont(font, factor));
}

void scalePicture(QLabel& label) {
    if (label.pixmap().isNull())
        return;
    const QVariant source = label.property(SourcePictureProperty);
    const QPixmap from = source.isValid() ? source.value<QPixmap>() : label.pixmap();
    label.setPixmap(sharpFitted(from, label.size()));
}

void scaleChildren(QWidget& parent, double factor) {
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        child->setGeometry(scaledRect(child->geometry(), factor));
        if (auto* label = qobject_cast<QLabel*>(child))
            scalePicture(*label);
        scaleChildren(*child, factor);
    }
}

} // namespace

void scaleWindow(QWidget& window, double factor) {
    if (!(factor > 0) || std::abs(factor - 1) < 1e-9)
        return;
    scaleFonts(window, factor);
    window.resize(scaledRect(QRect(QPoint(0, 0), window.size()), factor).size());
    scaleChildren(window, factor);
}

} // namespace XQTestDev
