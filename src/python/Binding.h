#pragma once

// Included first by every file of the module: Python's headers use the word
// "slots", which Qt's headers turn into a macro.
#include <pybind11/functional.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "Enumerations.h"
#include "Values.h"

namespace py = pybind11;

namespace XQTestDev::python {

// Every binding file adds its class to the module.
void bindEnums(py::module_& module);
void bindApplication(py::module_& module);
void bindMessages(py::module_& module);
void bindInterrupts(py::module_& module);
void bindSignals(py::module_& module);
void bindQt(py::module_& module);
void bindXQUtility32(py::module_& module);
void bindXQMenu32(py::module_& module);
void bindXQSQL32(py::module_& module);
void bindXQReport32(py::module_& module);
void bindXQGPIB32(py::module_& module);
void bindXQVirtualDevice32(py::module_& module);
void bindXQLEDBar32(py::module_& module);

} // namespace XQTestDev::python
