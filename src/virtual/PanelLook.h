#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

class QLabel;
class QWidget;

namespace XQTestDev {

// The look the virtual instruments share: a dark instrument face on which
// the pass and fail colours of the station program read well.
inline const QColor PanelFace(0x1e, 0x29, 0x3b);
inline const QColor DisplayFace(0x0f, 0x17, 0x2a);
inline const QColor PanelText(0xe2, 0xe8, 0xf0);

// Arial (or its metric twin) at the given pixel size.
QFont arial(int pixelSize, bool bold);

// Gives the window the instrument face and the frame `shpMainFrame` around it.
void paintPanelFace(QWidget& window);

// Shrinks the label's font, from `designPixels` down, until its text fits
// its width: a long number is shown smaller rather than cut off.
void fitTextToWidth(QLabel& label, int designPixels);

} // namespace XQTestDev
