#pragma once

#include <QRect>
#include <QSize>

#include <array>

namespace XQTestDev {

// Where the InfoBox's controls go, in twips. The picture area and the message
// share one rectangle; with the input box shown they give up room to it, so the
// dialog keeps one height either way.
struct InfoBoxGeometry {
    QSize dialog;
    QRect frameMain;  // shpFrameMain, around the whole dialog
    QRect frame;      // shpFrame, around the picture or message
    QRect picture;    // imgBox; txtMessage has the same rectangle
    QRect frameInput; // shpFrameInput
    QRect input;      // txtInput
    int buttonTop = 0;
    int buttonHeight = 0;
};

InfoBoxGeometry infoBoxGeometry(bool showInputBox);

// The three buttons' rectangles (index = control-array index). Visible buttons
// stand in one row, centred, button 2 on the left and button 0 on the right; a
// hidden button keeps the rectangle it would have had alone.
std::array<QRect, 3> infoBoxButtonRects(const InfoBoxGeometry& geometry,
                                        const std::array<bool, 3>& visible);

} // namespace XQTestDev
