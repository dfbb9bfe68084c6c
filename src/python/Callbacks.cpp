#include "Callbacks.h"

#include "Interrupts.h"

#include <XQTestDev/XQMenu32.h>

#include <cstdio>
#include <utility>

namespace XQTestDev::python {

namespace {

// "ValueError: no reading (station.py, line 12)": what the status window shows.
QString summaryOf(py::error_already_set& error) {
    QString text =
        QString::fromStdString(
            py::str("")
                .attr("join")(py::module_::import("traceback")
                                  .attr("format_exception_only")(error.type(), error.value()))
                .cast<std::string>())
            .trimmed();
    if (error.trace() && !error.trace().is_none()) {
        py::object frames = py::module_::import("traceback").attr("extract_tb")(error.trace());
        if (py::len(frames) > 0) {
            py::object last = frames[py::int_(-1)];
            text += QStringLiteral(" (%1, line %2)")
                        .arg(QString::fromStdString(py::module_::import("os.path")
                                                        .attr("basename")(last.attr("filename"))
                                                        .cast<std::string>()),
                             QString::number(last.attr("lineno").cast<int>()));
        }
    }
    return text;
}

// Where an exception from a callback goes: kept for the station program when
// it interrupts or ends a run, else printed and dropped (it must never unwind
// through Qt's event loop or the library).
void handleCallbackError(py::error_already_set& error, const std::string& context, bool ofRun) {
    const bool interrupt = error.matches(PyExc_KeyboardInterrupt);
    bool abortedRun = false;
    if (interrupt || ofRun) {
        const QString reason = summaryOf(error);
        py::gil_scoped_release released;
        abortedRun = abortRunInProgress(reason);
    }
    if (abortedRun) {
        printPythonError(error, context, "(the run is aborted):");
        keepPendingError(error);
    } else if (interrupt) {
        keepPendingError(error);
    } else {
        printPythonError(error, context);
    }
}

} // namespace

PythonCallable::PythonCallable(py::object callable, std::string context, bool ofRun)
    : callable_(std::move(callable)), context_(std::move(context)), ofRun_(ofRun) {}

PythonCallable::~PythonCallable() {
    release();
}

void PythonCallable::release() {
    if (!callable_)
        return;
    // After the interpreter has gone there is nothing left to release.
    if (!Py_IsInitialized()) {
        (void)callable_.release();
        return;
    }
    py::gil_scoped_acquire gil;
    callable_ = py::object();
}

bool PythonCallable::call(const std::function<py::tuple()>& arguments,
                          const std::function<void(py::handle)>& useResult) const {
    if (!Py_IsInitialized())
        return false;
    py::gil_scoped_acquire gil;
    if (!callable_)
        return false;
    struct Depth {
        Depth() { ++callbackDepth(); }
        ~Depth() { --callbackDepth(); }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    };
    try {
        py::object result;
        {
            const Depth depth;
            result = callable_(*arguments());
        }
        if (useResult)
            useResult(result);
        return true;
    } catch (py::error_already_set& error) {
        handleCallbackError(error, context_, ofRun_);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error in %s: %s\n", context_.c_str(), error.what());
        std::fflush(stderr);
    }
    return false;
}

void printPythonError(py::error_already_set& error, const std::string& context,
                      const std::string& outcome) {
    try {
        py::object sys = py::module_::import("sys");
        py::object stderrFile = sys.attr("stderr");
        py::print(py::str("Exception in {} {}").format(context, outcome),
                  py::arg("file") = stderrFile);
        py::module_::import("traceback")
            .attr("print_exception")(error.type(), error.value(), error.trace(),
                                     py::arg("file") = stderrFile);
        stderrFile.attr("flush")();
    } catch (py::error_already_set& printing) {
        // sys.stderr itself is broken: fall back to the interpreter's report.
        printing.discard_as_unraisable(context.c_str());
    }
}

int acceptedArgumentCount(const py::object& callable, int offered) {
    try {
        py::object inspect = py::module_::import("inspect");
        py::object parameter = inspect.attr("Parameter");
        const py::object positionalOnly = parameter.attr("POSITIONAL_ONLY");
        const py::object positional = parameter.attr("POSITIONAL_OR_KEYWORD");
        const py::object variadic = parameter.attr("VAR_POSITIONAL");
        int count = 0;
        for (py::handle each :
             inspect.attr("signature")(callable).attr("parameters").attr("values")()) {
            const py::object kind = each.attr("kind");
            if (kind.equal(variadic))
                return offered;
            if (kind.equal(positionalOnly) || kind.equal(positional))
                ++count;
        }
        return count < offered ? count : offered;
    } catch (py::error_already_set&) {
        // A callable without a signature (some built-ins) gets them all.
        return offered;
    }
}

} // namespace XQTestDev::python
