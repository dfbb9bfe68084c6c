#pragma once

#include <QString>

// What the demo knows about how it runs: where its station folder is and
// whether it answers its own dialogs.
struct DemoSession {
    QString stationDirectory;
    bool automatic = false;

    // In automatic mode: presses `buttonName` in the window `windowName` as soon
    // as it shows (armed before the call that opens it).
    void answerNextWindow(const QString& windowName, const QString& buttonName) const;
};

// Prints one line of what the demo did.
void report(const QString& text);
