#pragma once

#include "instruments/GpibApi.h"

namespace XQTestDev {

// The driver's functions, resolved once from the library named by
// XQ_GPIB_LIBRARY (else linux-gpib's libgpib.so.0). The optional pair may be
// null; every other member is set whenever the table is returned at all.
struct GpibFunctions {
    GpibDevFn ibdev = nullptr;
    GpibFindFn ibfind = nullptr;
    GpibWriteFn ibwrt = nullptr;
    GpibWriteFileFn ibwrtf = nullptr;
    GpibReadFn ibrd = nullptr;
    GpibSendIfcFn SendIFC = nullptr;
    GpibFindListenersFn FindLstn = nullptr;
    GpibSendListFn SendList = nullptr;
    GpibReceiveFn Receive = nullptr;
    GpibDevClearListFn DevClearList = nullptr;
    GpibClearFn ibclr = nullptr; // optional: a clear then does nothing
    GpibThreadIntFn ThreadIbsta = nullptr;
    GpibThreadIntFn ThreadIberr = nullptr;
    GpibThreadIntFn ThreadIbcnt = nullptr;
    GpibThreadLongFn ThreadIbcntl = nullptr;
    GpibRegisterFn RegisterGpibGlobalsForThread = nullptr;
    GpibUnregisterFn UnregisterGpibGlobalsForThread = nullptr;
};

// Loads the driver at the first call of the process; null when it cannot be
// loaded or lacks a required function (said once on standard error).
const GpibFunctions* gpibFunctions();

} // namespace XQTestDev
