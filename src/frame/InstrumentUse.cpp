#include "frame/InstrumentUse.h"

#include <utility>

namespace XQTestDev {

namespace {

InstrumentUseListener& listener() {
    static InstrumentUseListener current;
    return current;
}

} // namespace

void setInstrumentUseListener(InstrumentUseListener newListener) {
    listener() = std::move(newListener);
}

void reportInstrumentOpened(const InstrumentUse& use) {
    if (listener())
        listener()(use);
}

} // namespace XQTestDev
