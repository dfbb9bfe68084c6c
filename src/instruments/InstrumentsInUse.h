#pragma once

#include <QString>

namespace XQTestDev {

// Ties an open descriptor to its instrument and notes the instrument as used
// by the run (an open counts); `idn` is empty until it is identified.
void noteInstrumentOpened(int descriptor, const QString& resource, const QString& idn = {});

// A reading through a descriptor notes its instrument as used by the run,
// whichever object (the instrument or its panel's reader) reads.
void noteInstrumentRead(int descriptor);

} // namespace XQTestDev
