// The Python module xqtestdev: the library's public classes under their C++
// names, for station programs written in Python.

#include "Binding.h"

namespace XQTestDev::python {

PYBIND11_MODULE(xqtestdev, module) {
    module.doc() = "XQTestDev for Python station programs: the public classes with the same "
                   "members, properties, enumerations and signals as in C++.";
    bindEnums(module);
    bindMessages(module);
    bindInterrupts(module);
    bindSignals(module);
    bindApplication(module);
    bindXQUtility32(module);
    bindXQMenu32(module);
    bindXQSQL32(module);
    bindXQReport32(module);
    bindXQGPIB32(module);
    bindXQVirtualDevice32(module);
    bindXQLEDBar32(module);
    bindQt(module);
    module.attr("__version__") = XQ_VERSION;
}

} // namespace XQTestDev::python
