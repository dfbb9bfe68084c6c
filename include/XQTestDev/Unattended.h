#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QString>

#include <functional>

namespace XQTestDev {

// A station without an operator: an automated cell, a script in CI, a run
// started over SSH. Nothing the library shows may then wait for ever.
//
// With no display (Qt's offscreen or minimal platform) and no handler, a
// library message box writes its text and icon to standard error and answers
// its default button; an InfoBox answers Cancel (or its only button) and says
// so there too; the user entry, the About box and the big verdict are not
// shown.

// What the InfoBox asks the operator.
struct PromptRequest {
    QString text;                       // the message (or the picture's path)
    QString title;                      // the application's name
    vbMyMsgBoxStyle buttons = vbOKOnly; // the button set
    bool asksInput = false;             // an input box is shown
    QString input;                      // what the input box holds at first
    QString passwordChar;               // shown in place of each typed character; empty: clear text
};

// The operator's answer: the pressed button's code (1 OK, 2 Cancel, 3 Abort,
// 4 Retry, 5 Ignore, 6 Yes, 7 No) and what was typed into the input box.
struct PromptAnswer {
    int button = 2;
    QString typed;
};

using PromptHandler = std::function<PromptAnswer(const PromptRequest&)>;

// Every InfoBox that waits for its answer (the library's own questions too:
// the admin password, Abort and Exit) goes to the handler instead of a
// window. An empty handler shows the InfoBox again.
XQTESTDEV_EXPORT void setPromptHandler(PromptHandler handler);

// True when nobody can see a window: the offscreen or minimal platform.
// Programs that drive the library's real windows there (window tests) turn
// this off with setHeadlessWindowsDriven(true) or XQ_HEADLESS_WINDOWS=driven.
XQTESTDEV_EXPORT bool runsUnattended();
XQTESTDEV_EXPORT void setHeadlessWindowsDriven(bool driven);

// Ends every wait of the library: open dialogs and message boxes close with
// their "no" answer, Delay and instrument time-outs return at once, and every
// later wait returns at once until resumeWaits(). Safe to call from a signal
// handler (Ctrl-C).
XQTESTDEV_EXPORT void interruptWaits() noexcept;
XQTESTDEV_EXPORT bool waitsInterrupted() noexcept;
XQTESTDEV_EXPORT void resumeWaits() noexcept;

} // namespace XQTestDev
