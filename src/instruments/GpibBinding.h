#pragma once

#include "instruments/GpibLibrary.h"

#include <QtGlobal>

namespace XQTestDev {

// What the instrument code reads after each driver call: the low 16 bits of
// the driver's status word, its error code and count, as signed 16-bit
// numbers, and the long count in full.
struct GpibMirrors {
    qint16 status = 0;
    qint16 error = 0;
    qint16 count = 0;
    long longCount = 0;
};

const GpibMirrors& gpibMirrors();
quint16 gpibStatusWord(); // the status mirror taken as unsigned

// Every new instrument object does this; the next call binds again.
void markGpibThreadUnbound();

// Binds the calling thread's status variables when the driver offers that;
// false when the binding failed (the mirrors then hold the failure state and
// the call must not be made).
bool bindGpibThread(const GpibFunctions& driver);

// Copies the driver's status into the mirrors after a call.
void refreshGpibMirrors(const GpibFunctions& driver);

// The state a call leaves when there is no driver to call.
void setGpibMirrorsToNoDriver();

} // namespace XQTestDev
