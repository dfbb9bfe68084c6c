#include "virtual/ArrowRepeat.h"

#include "frame/EventPause.h"

namespace XQTestDev {

namespace {

ArrowPauseFunction& installedPause() {
    static ArrowPauseFunction pause;
    return pause;
}

} // namespace

void ArrowPauses::shorten() {
    if (pause_ > 0.05f)
        pause_ -= 0.05f;
}

void setArrowPause(ArrowPauseFunction pause) {
    installedPause() = std::move(pause);
}

void arrowPause(double seconds) {
    if (installedPause())
        installedPause()(seconds);
    else
        letEventsRunFor(seconds);
}

void repeatWhileHeld(const ArrowHold& hold) {
    ArrowPauses pauses;
    while (hold.held()) {
        hold.changeValue();
        arrowPause(pauses.current());
        pauses.shorten();
        // The pause let the station run: the window may be gone by now.
        if (!hold.present())
            return;
        hold.refresh();
    }
}

} // namespace XQTestDev
