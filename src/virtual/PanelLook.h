#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

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

// The label (`lblFailMark`) that shows "✗" beside a failed reading, over the
// readout and in its colour.
QLabel* makeFailMark(QLabel& readout);

// Shows `text` in the readout, fitted to its width. A failed reading is
// marked just left of its text: the readout's text stays the reading, which
// station programs and UI automation read.
void showReadout(QLabel& readout, QLabel& mark, const QString& text, bool failed, int designPixels);

} // namespace XQTestDev
