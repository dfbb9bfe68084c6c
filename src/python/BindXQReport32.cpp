#include "Binding.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQReport32.h>

namespace XQTestDev::python {

void bindXQReport32(py::module_& module) {
    py::class_<XQReport32> cls(module, "XQReport32",
                               "The printed test report of the current unit, on the station's "
                               "printer (or a PDF) and in XQ_Report.txt of the results folder.");
    cls.def(py::init(&construct<XQReport32>))
        .def("PrintReport", &XQReport32::PrintReport, py::arg("SoftwareVersion") = QString(),
             ReleasesGil(),
             "Prints the report; an empty SoftwareVersion prints the run's version. Failures "
             "are shown to the operator.");
    addSignals(cls);
}

} // namespace XQTestDev::python
