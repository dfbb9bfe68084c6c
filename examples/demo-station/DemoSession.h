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

// With XQ_DEMO_SHOTS=<folder>: saves the whole screen there as
// <number>-<name>.png, to look at the station as its operator would.
void saveScreen(const QString& name);
