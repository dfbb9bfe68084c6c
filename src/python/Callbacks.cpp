#include "Callbacks.h"

#include <cstdio>
#include <utility>

namespace XQTestDev::python {

PythonCallable::PythonCallable(py::object callable, std::string context)
    : callable_(std::move(callable)), context_(std::move(context)) {}

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
    try {
        const py::object result = callable_(*arguments());
        if (useResult)
            useResult(result);
        return true;
    } catch (py::error_already_set& error) {
        printPythonError(error, context_);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error in %s: %s\n", context_.c_str(), error.what());
        std::fflush(stderr);
    }
    return false;
}

void printPythonError(py::error_already_set& error, const std::string& context) {
    try {
        py::object sys = py::module_::import("sys");
        py::object stderrFile = sys.attr("stderr");
        py::print(py::str("Exception in {} (ignored):").format(context),
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
