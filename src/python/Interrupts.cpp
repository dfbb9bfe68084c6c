#include "Interrupts.h"

#include <XQTestDev/Unattended.h>
#include <XQTestDev/XQMenu32.h>

#include <csignal>
#include <exception>

namespace XQTestDev::python {

namespace {

struct PendingError {
    py::object type;
    py::object value;
    py::object trace;
};

PendingError& pendingError() {
    static auto* pending = new PendingError; // never destroyed: outlives the interpreter
    return *pending;
}

struct sigaction pythonsHandler;

// Runs in whichever thread the signal lands on: only what is safe there.
extern "C" void onInterruptSignal(int number, siginfo_t* info, void* context) {
    interruptWaits();
    if (pythonsHandler.sa_flags & SA_SIGINFO) {
        if (pythonsHandler.sa_sigaction)
            pythonsHandler.sa_sigaction(number, info, context);
    } else if (pythonsHandler.sa_handler != SIG_DFL && pythonsHandler.sa_handler != SIG_IGN) {
        pythonsHandler.sa_handler(number);
    }
}

// Python's handler, run by the interpreter once the main thread executes
// Python again: at the station program's own level the waits resume; inside
// a callback they stay interrupted until the library call returns.
void onInterruptInPython(const py::object&, const py::object&) {
    if (callbackDepth() == 0)
        resumeWaits();
    {
        py::gil_scoped_release released;
        abortRunInProgress(QStringLiteral("Interrupted (Ctrl-C)"));
    }
    PyErr_SetNone(PyExc_KeyboardInterrupt);
    throw py::error_already_set();
}

void installInterruptHandler(py::module_& module) {
    py::module_ signal = py::module_::import("signal");
    py::module_ threading = py::module_::import("threading");
    if (!threading.attr("current_thread")().is(threading.attr("main_thread")()))
        return;
    if (!signal.attr("getsignal")(signal.attr("SIGINT")).is(signal.attr("default_int_handler")))
        return; // the program has its own
    module.add_object("_on_interrupt",
                      py::cpp_function(&onInterruptInPython, py::arg("signum"), py::arg("frame")));
    signal.attr("signal")(signal.attr("SIGINT"), module.attr("_on_interrupt"));
    struct sigaction ours {};
    ours.sa_sigaction = &onInterruptSignal;
    ours.sa_flags = SA_SIGINFO | SA_ONSTACK; // no SA_RESTART: a blocked read returns
    sigemptyset(&ours.sa_mask);
    sigaction(SIGINT, &ours, &pythonsHandler);
}

} // namespace

int& callbackDepth() {
    static int depth = 0;
    return depth;
}

void keepPendingError(py::error_already_set& error) {
    PendingError& pending = pendingError();
    if (pending.type)
        return;
    pending.type = error.type();
    pending.value = error.value();
    pending.trace = error.trace();
    // The library call that ran the callback must return to where the
    // exception can be raised: every wait under it ends.
    if (error.matches(PyExc_KeyboardInterrupt))
        interruptWaits();
}

void raisePendingError() {
    PendingError& pending = pendingError();
    if (callbackDepth() > 0 || !pending.type)
        return;
    PyObject* type = pending.type.release().ptr();
    PyObject* value = pending.value.release().ptr();
    PyObject* trace = pending.trace.release().ptr();
    pending = PendingError{};
    if (PyErr_GivenExceptionMatches(type, PyExc_KeyboardInterrupt))
        resumeWaits();
    PyErr_Restore(type, value, trace);
    throw py::error_already_set();
}

RaisesPendingError::~RaisesPendingError() noexcept(false) {
    if (std::uncaught_exceptions() == 0)
        raisePendingError();
}

void bindInterrupts(py::module_& module) {
    installInterruptHandler(module);
    module.def(
        "interrupt_waits", [] { interruptWaits(); },
        "Ends every wait of the library (dialogs, Delay, instrument time-outs, exec) as "
        "Ctrl-C does, from any thread; later waits return at once until resume_waits().");
    module.def(
        "resume_waits", [] { resumeWaits(); },
        "Lets the library wait again after interrupt_waits().");
    module.def(
        "abort_run_in_progress", [](const QString& reason) { return abortRunInProgress(reason); },
        py::arg("reason"), py::call_guard<py::gil_scoped_release>(),
        "Ends the run in progress as the header's confirmed Abort does (AbortClick is raised, "
        "the run is recorded as aborted, the header returns to idle); reason goes to standard "
        "error and the status window. Returns False when no run is active.");
}

} // namespace XQTestDev::python
