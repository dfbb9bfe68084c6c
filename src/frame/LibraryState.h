#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>

namespace XQTestDev {

class XQUtility32;

// The library-wide values that every object of every class shares, one set
// per process: paths, screen, admin password and flags. Every call arrives on
// the station program's GUI thread, so nothing here is locked. The run lives
// in run/RunSession.h and the shared windows in ui/SharedWindows.h: this
// layer knows neither.
struct LibraryState {
    QPointer<XQUtility32> sharedUtility;
    QString iniDirectory;         // ends in "/" once set
    QString applicationDirectory; // ends in "/" once set
    QString resultsDirectory;     // ends in "/"
    QString adminPassword;
    int backgroundColor = 0;
    bool backgroundShown = false;
    bool onTopSuspended = false;
    unsigned onTopChoices = 0;   // bumped by each Always on Top choice of the operator
    qint64 lastWindowHandle = 0; // window handles are counted from 1
    // The status message window's settings, one for all XQGPIB32 objects.
    int statusPosition = 0;
    QVariant statusTop;  // as the station program typed it; empty until set
    QVariant statusLeft; // as the station program typed it; empty until set
    bool statusHide = false;
    int screenWidth = 0;  // twips, usable width less 30
    int screenHeight = 0; // twips, usable height less 30
};

// The process's library state. The first public object created runs the
// library start-up; library() itself never starts anything.
LibraryState& library();

// Runs the start-up once per process: measures the screen, fixes the results
// directory and creates the shared utility object.
void ensureLibraryStarted();
bool libraryStarted();

// The shared utility object through which the library's own code reads INI
// files and shows its dialogs; starts the library when needed.
XQUtility32& sharedUtility();

// The library's version as GetDLLVersion gives it, without starting the library.
QString libraryVersion();

// Measures the usable screen into the library state (also done again whenever
// the background window loads).
void measureScreen();

// The results directory: $WinDir when set, else the per-user data folder.
QString defaultResultsDirectory();

} // namespace XQTestDev
