#pragma once

#include "Binding.h"

#include "Application.h"
#include "Interrupts.h"

namespace XQTestDev::python {

// Members that may wait (a modal window, a message, Delay, an instrument's
// time-out, a nested event loop) run with the GIL released, so Python threads
// keep running; any callback into Python takes it back. An exception kept
// from a callback (Ctrl-C, a handler that ended the run) is raised once the
// member returns.
using ReleasesGil = py::call_guard<RaisesPendingError, py::gil_scoped_release>;

// A property under its C++ name: read with the getter (fast, keeps the GIL),
// written with the setter (which may show a message, so it releases it).
template <typename Class, typename... Options, typename Getter, typename Setter>
void addProperty(py::class_<Class, Options...>& cls, const char* name, Getter getter, Setter setter,
                 const char* doc = "") {
    // Named, so that a value of the wrong type says which property and what
    // it takes.
    cls.def_property(name, py::cpp_function(getter, py::name(name), py::is_method(cls)),
                     py::cpp_function(setter, py::name(name), py::is_method(cls), ReleasesGil()),
                     doc);
}

template <typename Class, typename... Options, typename Getter>
void addReadOnlyProperty(py::class_<Class, Options...>& cls, const char* name, Getter getter,
                         const char* doc = "") {
    cls.def_property_readonly(name, py::cpp_function(getter, py::name(name), py::is_method(cls)),
                              doc);
}

// The Qt application is made on first use when the script has not made one.
template <typename Class> std::unique_ptr<Class> construct() {
    ensureApplication();
    return std::make_unique<Class>();
}

} // namespace XQTestDev::python
