#pragma once

#include <functional>

namespace XQTestDev {

// The pauses between the steps of a held arrow: 0.3 s, shortened by 0.05 s
// after each step while it is above 0.05 s, all in single precision; so
// 0.3, 0.25, 0.2, 0.15, 0.1, 0.05 and then next to nothing (about 8e-9 s).
class ArrowPauses {
public:
    double current() const { return pause_; }
    void shorten();

private:
    float pause_ = 0.3f;
};

// Every pause of a held arrow goes through here: by default it waits while
// windows and timers keep running (as Delay does). A test replaces it to
// record the pauses and to let go of the arrow at a chosen step; an empty
// function restores the default.
using ArrowPauseFunction = std::function<void(double seconds)>;
void setArrowPause(ArrowPauseFunction pause);
void arrowPause(double seconds);

// What a held arrow does, one step after another, until `held` says the
// arrow is up: change the value, pause, shorten the pause, refresh. The step
// under way when the arrow goes up is still shown, so a click steps once;
// only a window that went away meanwhile (`present` false) is left alone.
struct ArrowHold {
    std::function<bool()> held;
    std::function<bool()> present;
    std::function<void()> changeValue;
    std::function<void()> refresh;
};
void repeatWhileHeld(const ArrowHold& hold);

} // namespace XQTestDev
