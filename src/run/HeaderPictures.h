#pragma once

#include "run/NetworkStatus.h"

#include <QPixmap>
#include <QSize>

namespace XQTestDev {

// The header's small pictures, drawn in code: one per network/database
// status, the menu picture, and the page arrows in their normal, pressed and
// disabled looks.
QPixmap statusPicture(StatusPicture status, QSize size);
QPixmap menuPicture(QSize size);
enum class ArrowLook { Normal, Pressed, Disabled };
QPixmap pageArrowPicture(bool next, ArrowLook look, QSize size);

} // namespace XQTestDev
