#include "frame/LibraryState.h"

#include "frame/DurableFile.h"
#include "frame/ScreenUnits.h"

#include <XQTestDev/XQUtility32.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace XQTestDev {

namespace {
bool startupDone = false;
}

LibraryState& library() {
    static LibraryState state;
    return state;
}

QString defaultResultsDirectory() {
    QString dir = qEnvironmentVariable("WinDir");
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/XQTestDev");
        QDir().mkpath(dir);
    }
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

void measureScreen() {
    const QSize usable = usableScreenTwips();
    library().screenWidth = usable.width() - 30;
    library().screenHeight = usable.height() - 30;
}

void ensureLibraryStarted() {
    if (startupDone)
        return;
    // Set first: creating the shared utility object below comes back here.
    startupDone = true;
    LibraryState& state = library();
    measureScreen();
    state.resultsDirectory = defaultResultsDirectory();
    removeStaleTemporariesIn(state.resultsDirectory); // left by a crashed run
    // Parented to the application so that it goes away with it, before any
    // static destructor runs.
    state.sharedUtility = new XQUtility32(QCoreApplication::instance());
    state.sharedUtility->setObjectName(QStringLiteral("XQSharedUtility"));
}

bool libraryStarted() {
    return startupDone;
}

XQUtility32& sharedUtility() {
    ensureLibraryStarted();
    if (!library().sharedUtility) {
        // The application was torn down and rebuilt (tests do this); the old
        // object went with it.
        library().sharedUtility = new XQUtility32(QCoreApplication::instance());
    }
    return *library().sharedUtility;
}

} // namespace XQTestDev
