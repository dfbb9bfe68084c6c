#include "Binding.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQGPIB32.h>

namespace XQTestDev::python {

namespace {

using G = XQGPIB32;

// ScanDevices fills a list the caller passes; Python gets it as the result.
py::object scanDevices(G& device) {
    QVariantList found;
    {
        py::gil_scoped_release released;
        device.ScanDevices(found);
    }
    return toPython(found);
}

void addConnection(py::class_<G>& cls) {
    addProperty(cls, "DeviceName", &G::DeviceName, &G::setDeviceName,
                "The primary address (int) or a configured name such as \"DMM\" (str).");
    addProperty(cls, "BoardNumber", &G::BoardNumber, &G::setBoardNumber, "GPIB_BoardNumber.");
    addProperty(cls, "TimeOut", &G::TimeOut, &G::setTimeOut,
                "GPIB_TimeOut; set with a member or its number.");
    addProperty(cls, "SimulateMode", &G::SimulateMode, &G::setSimulateMode, "bool.");
    addProperty(cls, "DisableErrMessage", &G::DisableErrMessage, &G::setDisableErrMessage, "bool.");
    addProperty(cls, "ErrorStatus", &G::ErrorStatus, &G::setErrorStatus, "bool.");
}

void addCommands(py::class_<G>& cls) {
    addProperty(cls, "IDcommand", &G::IDcommand, &G::setIDcommand, "str.");
    addProperty(cls, "InitCommand1", &G::InitCommand1, &G::setInitCommand1, "str.");
    addProperty(cls, "InitCommand2", &G::InitCommand2, &G::setInitCommand2, "str.");
    addProperty(cls, "InitCommand3", &G::InitCommand3, &G::setInitCommand3, "str.");
    addProperty(cls, "InitCommand4", &G::InitCommand4, &G::setInitCommand4, "str.");
    addProperty(cls, "InitCommand5", &G::InitCommand5, &G::setInitCommand5, "str.");
    addProperty(cls, "WriteFromFile", &G::WriteFromFile, &G::setWriteFromFile, "str.");
    addProperty(cls, "ReadCommand", &G::ReadCommand, &G::setReadCommand, "str.");
    addProperty(cls, "WaitForEachCommand", &G::WaitForEachCommand, &G::setWaitForEachCommand,
                "Seconds (float).");
    addProperty(cls, "ReadInterval", &G::ReadInterval, &G::setReadInterval,
                "Milliseconds between readings on the panel; 0 reads once per Execute (int).");
}

void addReading(py::class_<G>& cls) {
    addProperty(cls, "Delimited", &G::Delimited, &G::setDelimited, "str.");
    addProperty(cls, "ScaleFactor", &G::ScaleFactor, &G::setScaleFactor, "float.");
    addProperty(cls, "Offset", &G::Offset, &G::setOffset, "float.");
    addProperty(cls, "Unit", &G::Unit, &G::setUnit, "str.");
    addReadOnlyProperty(cls, "Value", &G::Value, "The last reading (float).");
    addReadOnlyProperty(cls, "RawValue", &G::RawValue, "The last reply as received (str).");
}

void addPanel(py::class_<G>& cls) {
    addProperty(cls, "BrandName", &G::BrandName, &G::setBrandName, "str.");
    addProperty(cls, "ModelName", &G::ModelName, &G::setModelName, "str.");
    addProperty(cls, "PanelStatus", &G::PanelStatus, &G::setPanelStatus, "str.");
    addProperty(cls, "PanelOption", &G::PanelOption, &G::setPanelOption, "str.");
    addProperty(cls, "PanelParameter", &G::PanelParameter, &G::setPanelParameter, "str.");
    addProperty(cls, "CabReference", &G::CabReference, &G::setCabReference, "str.");
    addProperty(cls, "DigitColor", &G::DigitColor, &G::setDigitColor, "0x00BBGGRR (int).");
    addProperty(cls, "AlwaysOnTop", &G::AlwaysOnTop, &G::setAlwaysOnTop, "bool.");
    addProperty(cls, "PanelHide", &G::PanelHide, &G::setPanelHide, "bool.");
    addProperty(cls, "PanelPosition", &G::PanelPosition, &G::setPanelPosition, "Positions.");
    addProperty(cls, "PanelTop", &G::PanelTop, &G::setPanelTop, "Twips, as set.");
    addProperty(cls, "PanelLeft", &G::PanelLeft, &G::setPanelLeft, "Twips, as set.");
    addReadOnlyProperty(cls, "PanelHeight", &G::PanelHeight, "Twips (int).");
    addReadOnlyProperty(cls, "PanelWidth", &G::PanelWidth, "Twips (int).");
}

void addStatusWindow(py::class_<G>& cls) {
    const char* shared = "The status message window: one setting for every object.";
    addProperty(cls, "StatusPosition", &G::StatusPosition, &G::setStatusPosition, shared);
    addProperty(cls, "StatusTop", &G::StatusTop, &G::setStatusTop, shared);
    addProperty(cls, "StatusLeft", &G::StatusLeft, &G::setStatusLeft, shared);
    addProperty(cls, "StatusHide", &G::StatusHide, &G::setStatusHide, shared);
    addReadOnlyProperty(cls, "StatusHeight", &G::StatusHeight, "Twips (int).");
    addReadOnlyProperty(cls, "StatusWidth", &G::StatusWidth, "Twips (int).");
}

} // namespace

void bindXQGPIB32(py::module_& module) {
    py::class_<G> cls(module, "XQGPIB32",
                      "One bench instrument on a GPIB bus, with its panel window. Execute "
                      "opens and identifies it, sends the pending commands and starts "
                      "reading. Failures come back as messages and ErrorStatus.");
    cls.def(py::init(&construct<G>))
        .def("Execute", &G::Execute, ReleasesGil(),
             "Opens and identifies the instrument, sends the pending one-shot commands and "
             "reads: once, or every ReadInterval ms on the panel.")
        .def("ClearAllCommand", &G::ClearAllCommand, ReleasesGil())
        .def("Show", &G::Show, ReleasesGil())
        .def("Hide", &G::Hide, ReleasesGil())
        .def("Done", &G::Done, ReleasesGil())
        .def("ScanDevices", &scanDevices,
             "The instruments answering on the board, as a list of \"<reply>,ADDRESS <n>\" "
             "(the C++ DevicesList out-parameter).");
    addConnection(cls);
    addCommands(cls);
    addReading(cls);
    addPanel(cls);
    addStatusWindow(cls);
    addSignals(cls);
}

} // namespace XQTestDev::python
