#include "ui/WindowHandle.h"

#include "frame/LibraryState.h"

#include <QVariant>
#include <QWidget>

namespace XQTestDev {

namespace {
const char* const HandleProperty = "xqWindowHandle";
}

qint64 windowHandle(QWidget& window) {
    const QVariant given = window.property(HandleProperty);
    if (given.isValid())
        return given.toLongLong();
    const qint64 handle = ++library().lastWindowHandle;
    window.setProperty(HandleProperty, handle);
    return handle;
}

QString windowHandleText(QWidget& window) {
    return QString::number(windowHandle(window));
}

} // namespace XQTestDev
