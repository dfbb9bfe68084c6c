#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace XQTestDev {

// Opens a document with the desktop's default application for its type
// (xdg-open on a Linux desktop), and only when the desktop cannot, in the
// editor that $VISUAL or $EDITOR names: such an editor is often one for a
// terminal, and a station has no terminal to show it in. Returns false when
// nothing could be started; callers ignore it, as a viewer is a convenience.
bool openWithDesktop(const QString& path);

// How a file reaches the desktop: true when the desktop took it. Tests put
// their own in place (they have no desktop); the previous one is returned.
using DesktopOpener = std::function<bool(const QUrl& file)>;
DesktopOpener replaceDesktopOpener(DesktopOpener opener);

} // namespace XQTestDev
