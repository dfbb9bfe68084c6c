#include "Binding.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQSQL32.h>

namespace XQTestDev::python {

void bindXQSQL32(py::module_& module) {
    py::class_<XQSQL32> cls(module, "XQSQL32",
                            "The database record of a finished run: one row per unit, in an "
                            "SQLite file (msAccess) or on a PostgreSQL server (msSQLServer).");
    cls.def(py::init(&construct<XQSQL32>))
        .def("WriteDatabase", &XQSQL32::WriteDatabase, py::arg("ProductName") = QString(),
             py::arg("SoftwareVersion") = QString(), py::arg("DatabaseType") = msAccess,
             py::arg("DatabaseName") = QString(), ReleasesGil(),
             "Stores the current run (empty ProductName: the product of the user entry; empty "
             "DatabaseName: the one of ATE.INI). The outcome is LastAccessDatabase in the "
             "results file; failures are shown to the operator.");
    addSignals(cls);
}

} // namespace XQTestDev::python
