#pragma once

#include "Binding.h"

#include <functional>
#include <string>

namespace XQTestDev::python {

// A Python callable that the library or Qt calls back: signal handlers, the
// message handler, timers. The call takes the GIL, and an exception raised in
// Python is printed with its traceback on standard error and goes no
// further: it must never unwind through Qt's event loop or the library.
class PythonCallable {
public:
    // A handler of a run (`ofRun`) that raises while a run is in progress
    // ends that run as aborted, and its exception is raised again where the
    // library call returns to the station program.
    PythonCallable(py::object callable, std::string context, bool ofRun = false);
    ~PythonCallable();
    PythonCallable(const PythonCallable&) = delete;
    PythonCallable& operator=(const PythonCallable&) = delete;

    // Calls with the GIL taken; `useResult` sees the result inside the call.
    // False when the call raised.
    bool call(const std::function<py::tuple()>& arguments,
              const std::function<void(py::handle)>& useResult = {}) const;

    // With the GIL held.
    const py::object& callable() const { return callable_; }
    void release();

private:
    py::object callable_;
    std::string context_;
    bool ofRun_ = false;
};

// Prints the Python exception on standard error, headed by where it came
// from and what became of it.
void printPythonError(py::error_already_set& error, const std::string& context,
                      const std::string& outcome = "(ignored):");

// How many of `offered` positional arguments the callable takes (a Qt slot
// may take fewer than its signal gives). With the GIL held.
int acceptedArgumentCount(const py::object& callable, int offered);

} // namespace XQTestDev::python
