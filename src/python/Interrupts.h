#pragma once

#include "Binding.h"

#include <string>

namespace XQTestDev::python {

// How deep the library has called back into Python (signal handlers, the
// message and prompt handlers, timers). With the GIL held.
int& callbackDepth();

// An exception that must not stay inside the callback it escaped from: a
// KeyboardInterrupt, or any exception of a handler that ended a run. It is
// kept (the first one) and raised again where the library call that ran the
// callback returns to the station program's own code.
void keepPendingError(py::error_already_set& error);

// Raises the kept exception when no callback is running; with the GIL held.
void raisePendingError();

// Part of every call guard of a library member that may run callbacks: once
// the member has returned (and the GIL is back), the kept exception is raised
// in the station program.
struct RaisesPendingError {
    RaisesPendingError() = default;
    RaisesPendingError(const RaisesPendingError&) = delete;
    RaisesPendingError& operator=(const RaisesPendingError&) = delete;
    ~RaisesPendingError() noexcept(false);
};

// Ctrl-C ends the library's waits and raises KeyboardInterrupt; a run in
// progress ends as aborted. Installed when the module is imported from the
// main thread while Python's own Ctrl-C handler is in place.
void bindInterrupts(py::module_& module);

} // namespace XQTestDev::python
