// What bench_python.py compares Python against: the same members called in
// a C++ loop, timed with a steady clock, on the XQMenu32 the script made.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <XQTestDev/XQMenu32.h>

#include <QString>

#include <chrono>
#include <string>
#include <tuple>
#include <vector>

namespace py = pybind11;
using XQTestDev::XQMenu32;

namespace {

using Line = std::tuple<std::string, std::string, double>;

struct CppLine {
    QString group;
    QString parameter;
    double value;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The lines' texts are made before the clock starts, as a C++ station
// program holds them.
double sendData(XQMenu32& menu, const std::vector<Line>& lines) {
    std::vector<CppLine> converted;
    for (const auto& [group, parameter, value] : lines)
        converted.push_back(
            {QString::fromStdString(group), QString::fromStdString(parameter), value});
    py::gil_scoped_release released;
    const auto start = std::chrono::steady_clock::now();
    for (const CppLine& line : converted)
        menu.SendData(line.group, line.parameter, line.value);
    return secondsSince(start);
}

double readModel(const XQMenu32& menu, int times) {
    qsizetype total = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i)
        total += menu.Model().size();
    const double seconds = secondsSince(start);
    return total < 0 ? -1.0 : seconds; // keeps the reads from being optimised away
}

} // namespace

PYBIND11_MODULE(xqbench, module) {
    py::module_::import("xqtestdev"); // registers XQMenu32
    module.def("send_data", &sendData, py::arg("menu"), py::arg("lines"),
               "Seconds for SendData(group, parameter, value) of every line, from C++.");
    module.def("read_model", &readModel, py::arg("menu"), py::arg("times"),
               "Seconds for `times` reads of Model, from C++.");
}
