#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace XQTestDev {

// How a message is set in the InfoBox's message area: centred lines, wrapped
// at word boundaries to the area's width, with `documentMargin` around them.
struct MessageArea {
    QSize size;
    qreal documentMargin = 4;
};

// The font the message is shown in: `font` itself when the message fits the
// area, else the same face one point smaller at a time, down to
// `smallestPointSize`. A message that does not fit even then keeps the
// smallest size (and the area scrolls).
QFont fittingMessageFont(const QString& message, const QFont& font, const MessageArea& area,
                         int smallestPointSize);

// The height the message takes in the area at this font.
qreal messageHeight(const QString& message, const QFont& font, const MessageArea& area);

} // namespace XQTestDev
