#include "ui/InfoBoxLayout.h"

namespace XQTestDev {

namespace {

constexpr int DialogWidth = 6000;
constexpr int Margin = 120; // between the dialog's edge and its frames
constexpr int Inset = 60;   // between a frame and what it holds
constexpr int InputFrameHeight = 420;
constexpr int InputHeight = 300;
constexpr int ButtonWidth = 1500;
constexpr int ButtonHeight = 450;
constexpr int ButtonGap = 180;

// Heights fixed by the dialog's design.
constexpr int PictureHeightWithInput = 1630;
constexpr int PictureHeightWithoutInput = 2115;
constexpr int FrameHeightWithInput = 1755;
constexpr int FrameHeightWithoutInput = 2235;

} // namespace

InfoBoxGeometry infoBoxGeometry(bool showInputBox) {
    InfoBoxGeometry g;
    const int innerWidth = DialogWidth - 2 * Margin;
    const int frameHeight = showInputBox ? FrameHeightWithInput : FrameHeightWithoutInput;
    const int pictureHeight = showInputBox ? PictureHeightWithInput : PictureHeightWithoutInput;
    g.frame = QRect(Margin, Margin, innerWidth, frameHeight);
    g.picture = QRect(Margin + Inset, Margin + Inset, innerWidth - 2 * Inset, pictureHeight);
    g.frameInput = QRect(Margin, g.frame.y() + frameHeight + Inset, innerWidth, InputFrameHeight);
    g.input = QRect(Margin + Inset, g.frameInput.y() + Inset, innerWidth - 2 * Inset, InputHeight);
    // The buttons sit below the taller of the two arrangements, so the input
    // box only uses room the picture area gave up.
    g.buttonTop = Margin + FrameHeightWithoutInput + Margin;
    g.buttonHeight = ButtonHeight;
    g.dialog = QSize(DialogWidth, g.buttonTop + ButtonHeight + Margin);
    g.frameMain = QRect(QPoint(0, 0), g.dialog);
    return g;
}

std::array<QRect, 3> infoBoxButtonRects(const InfoBoxGeometry& geometry,
                                        const std::array<bool, 3>& visible) {
    int shown = 0;
    for (bool isVisible : visible)
        shown += isVisible ? 1 : 0;
    const auto rowLeft = [&](int count) {
        const int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
        return (geometry.dialog.width() - rowWidth) / 2;
    };
    std::array<QRect, 3> rects;
    int left = rowLeft(shown > 0 ? shown : 1);
    for (int index = 2; index >= 0; --index) {
        const int x = visible[static_cast<size_t>(index)] ? left : rowLeft(1);
        rects[static_cast<size_t>(index)] =
            QRect(x, geometry.buttonTop, ButtonWidth, geometry.buttonHeight);
        if (visible[static_cast<size_t>(index)])
            left += ButtonWidth + ButtonGap;
    }
    return rects;
}

} // namespace XQTestDev
