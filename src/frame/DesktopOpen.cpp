#include "frame/DesktopOpen.h"

#include "frame/TextEditor.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace XQTestDev {

namespace {

DesktopOpener& desktopOpener() {
    static DesktopOpener opener = [](const QUrl& file) { return QDesktopServices::openUrl(file); };
    return opener;
}

} // namespace

DesktopOpener replaceDesktopOpener(DesktopOpener opener) {
    DesktopOpener previous = std::move(desktopOpener());
    desktopOpener() = std::move(opener);
    return previous;
}

bool openWithDesktop(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (desktopOpener() && desktopOpener()(QUrl::fromLocalFile(absolute)))
        return true;
    return openInTextEditor(absolute);
}

} // namespace XQTestDev
