#pragma once

#include <QString>

#include <functional>

namespace XQTestDev {

// An instrument that was opened and identified: its resource in canonical
// form ("GPIB0::22::INSTR", "TCPIP0::10.0.0.5::5025::SOCKET") and its reply to
// the identification query. Lower layers report it; whoever keeps a record
// of the instruments a run used listens.
struct InstrumentUse {
    QString resource;
    QString identification;
};

using InstrumentUseListener = std::function<void(const InstrumentUse&)>;

// One listener for the process; an empty one stops listening.
void setInstrumentUseListener(InstrumentUseListener listener);
void reportInstrumentOpened(const InstrumentUse& use);

} // namespace XQTestDev
