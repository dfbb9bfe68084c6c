#pragma once

#include <QString>

class QWidget;

namespace XQTestDev {

// The number under which the cabinet knows a window: unique per window for
// the whole process and fixed for the window's life (the native id would
// change when the platform recreates the window).
qint64 windowHandle(QWidget& window);

// The same number as decimal text, as the cabinet's menu items carry it.
QString windowHandleText(QWidget& window);

} // namespace XQTestDev
