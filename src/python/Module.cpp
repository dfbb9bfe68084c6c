// The Python module xqtestdev: the library's public classes under their C++
// names, for station programs written in Python.

#include "Binding.h"

#include <dlfcn.h>

namespace XQTestDev::python {

namespace {
// An address inside this shared object, to find its file.
void moduleFolderMarker() {}
} // namespace

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
    // xqtestdev.testing (the pytest plugin) lives in the folder beside the
    // module; __file__ is only set once this returns.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleFolderMarker), &info) && info.dli_fname) {
        py::object path = py::module_::import("os.path");
        py::list folders;
        folders.append(path.attr("join")(path.attr("dirname")(path.attr("abspath")(info.dli_fname)),
                                         "xqtestdev"));
        module.attr("__path__") = folders;
    }
}

} // namespace XQTestDev::python
