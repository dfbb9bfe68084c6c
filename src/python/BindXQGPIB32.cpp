#include "Binding.h"

#include "Interrupts.h"
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

py::object& instrumentError() {
    static auto* error = new py::object(); // outlives the interpreter
    return *error;
}

// A failed query raises: its message names the command and the device, and
// carries the driver's status text and the system's reason as status_text.
QString query(G& device, const QString& command) {
    QString failure;
    QString reply;
    {
        py::gil_scoped_release released;
        reply = device.Query(command, &failure);
    }
    raisePendingError();
    if (failure.isEmpty())
        return reply;
    const QString where =
        device.ResourceName().isEmpty() ? device.DeviceName().toString() : device.ResourceName();
    py::object error = instrumentError()(
        toPython(QStringLiteral("%1 on %2: %3").arg(command, where, failure.trimmed())));
    error.attr("status_text") = toPython(failure);
    error.attr("command") = toPython(command);
    PyErr_SetObject(instrumentError().ptr(), error.ptr());
    throw py::error_already_set();
}

void addConnection(py::class_<G>& cls) {
    addProperty(cls, "DeviceName", &G::DeviceName, &G::setDeviceName,
                "The primary address (int) or a configured name such as \"DMM\" (str).");
    addProperty(
        cls, "BoardNumber", &G::BoardNumber, &G::setBoardNumber,
        "The GPIB board (interface) the instrument is on (GPIB_BoardNumber; GPIB0 by default).");
    addProperty(
        cls, "TimeOut", &G::TimeOut, &G::setTimeOut,
        "How long a write or read may take before it fails (GPIB_TimeOut; set with a member "
        "or its number, e.g. T10s).");
    addProperty(cls, "SimulateMode", &G::SimulateMode, &G::setSimulateMode,
                "bool: True answers every command from the simulated reply instead of a bus.");
    addProperty(cls, "DisableErrMessage", &G::DisableErrMessage, &G::setDisableErrMessage,
                "bool: True keeps the driver's error messages off the screen; ErrorStatus is "
                "still set.");
    addReadOnlyProperty(cls, "ResourceName", &G::ResourceName,
                        "str: the open instrument's resource in canonical form "
                        "(\"TCPIP0::10.0.0.5::5025::SOCKET\", \"GPIB0::22::INSTR\"); empty while "
                        "none is open.");
    addProperty(cls, "ErrorStatus", &G::ErrorStatus, &G::setErrorStatus,
                "bool: True after a failed open, write or read. Set it False before the next "
                "Execute reads again.");
}

void addCommands(py::class_<G>& cls) {
    addProperty(cls, "IDcommand", &G::IDcommand, &G::setIDcommand,
                "str: the identification query Execute sends first (e.g. \"*IDN?\").");
    addProperty(cls, "InitCommand1", &G::InitCommand1, &G::setInitCommand1,
                "str: a one-shot command the next Execute sends after the identification.");
    addProperty(cls, "InitCommand2", &G::InitCommand2, &G::setInitCommand2,
                "str: a one-shot command the next Execute sends after the identification.");
    addProperty(cls, "InitCommand3", &G::InitCommand3, &G::setInitCommand3,
                "str: a one-shot command the next Execute sends after the identification.");
    addProperty(cls, "InitCommand4", &G::InitCommand4, &G::setInitCommand4,
                "str: a one-shot command the next Execute sends after the identification.");
    addProperty(cls, "InitCommand5", &G::InitCommand5, &G::setInitCommand5,
                "str: a one-shot command the next Execute sends after the identification.");
    addProperty(cls, "WriteFromFile", &G::WriteFromFile, &G::setWriteFromFile,
                "str: the path of a file whose lines Execute sends as commands.");
    addProperty(cls, "ReadCommand", &G::ReadCommand, &G::setReadCommand,
                "str: the query each reading sends (e.g. \"MEAS:VOLT:DC?\").");
    addProperty(cls, "WaitForEachCommand", &G::WaitForEachCommand, &G::setWaitForEachCommand,
                "The pause after each command, in seconds (float).");
    addProperty(cls, "ReadInterval", &G::ReadInterval, &G::setReadInterval,
                "Milliseconds between readings on the panel; 0 reads once per Execute (int).");
}

void addReading(py::class_<G>& cls) {
    addProperty(cls, "Delimited", &G::Delimited, &G::setDelimited,
                "str: the character that ends the number in a reply; empty reads the whole reply.");
    addProperty(cls, "ScaleFactor", &G::ScaleFactor, &G::setScaleFactor,
                "float: each reading is multiplied by it (before Offset is added).");
    addProperty(cls, "Offset", &G::Offset, &G::setOffset, "float: added to each scaled reading.");
    addProperty(cls, "Unit", &G::Unit, &G::setUnit,
                "str: the unit the panel shows after the value.");
    addReadOnlyProperty(cls, "Value", &G::Value, "The last reading (float).");
    addReadOnlyProperty(cls, "RawValue", &G::RawValue, "The last reply as received (str).");
}

void addPanel(py::class_<G>& cls) {
    addProperty(cls, "BrandName", &G::BrandName, &G::setBrandName,
                "str: the maker's name on the panel.");
    addProperty(cls, "ModelName", &G::ModelName, &G::setModelName,
                "str: the model name on the panel.");
    addProperty(cls, "PanelStatus", &G::PanelStatus, &G::setPanelStatus,
                "str: the panel's status line.");
    addProperty(cls, "PanelOption", &G::PanelOption, &G::setPanelOption,
                "str: the panel's option line.");
    addProperty(cls, "PanelParameter", &G::PanelParameter, &G::setPanelParameter,
                "str: the panel's parameter line.");
    addProperty(cls, "CabReference", &G::CabReference, &G::setCabReference,
                "str: the panel's caption in the cabinet.");
    addProperty(cls, "DigitColor", &G::DigitColor, &G::setDigitColor,
                "The colour of the panel's reading digits as 0x00BBGGRR (int).");
    addProperty(cls, "AlwaysOnTop", &G::AlwaysOnTop, &G::setAlwaysOnTop,
                "bool: True keeps the panel above other windows.");
    addProperty(cls, "PanelHide", &G::PanelHide, &G::setPanelHide,
                "bool: True reads without showing the panel.");
    addProperty(cls, "PanelPosition", &G::PanelPosition, &G::setPanelPosition,
                "Where the panel stands (Positions; 0 keeps PanelTop and PanelLeft).");
    addProperty(cls, "PanelTop", &G::PanelTop, &G::setPanelTop,
                "The panel's top edge in twips, as set (int or float).");
    addProperty(cls, "PanelLeft", &G::PanelLeft, &G::setPanelLeft,
                "The panel's left edge in twips, as set (int or float).");
    addReadOnlyProperty(cls, "PanelHeight", &G::PanelHeight,
                        "The device panel's height in twips (int, 15 per pixel at 96 dpi).");
    addReadOnlyProperty(cls, "PanelWidth", &G::PanelWidth,
                        "The device panel's width in twips (int, 15 per pixel at 96 dpi).");
}

void addStatusWindow(py::class_<G>& cls) {
    addProperty(cls, "StatusPosition", &G::StatusPosition, &G::setStatusPosition,
                "Positions: where the status message window stands (one setting for every "
                "object).");
    addProperty(cls, "StatusTop", &G::StatusTop, &G::setStatusTop,
                "object: the status message window's top edge in twips, as set (one setting "
                "for every object).");
    addProperty(cls, "StatusLeft", &G::StatusLeft, &G::setStatusLeft,
                "object: the status message window's left edge in twips, as set (one setting "
                "for every object).");
    addProperty(cls, "StatusHide", &G::StatusHide, &G::setStatusHide,
                "bool: True keeps the status message window hidden (one setting for every "
                "object).");
    addReadOnlyProperty(cls, "StatusHeight", &G::StatusHeight,
                        "The status window's height in twips (int).");
    addReadOnlyProperty(cls, "StatusWidth", &G::StatusWidth,
                        "The status window's width in twips (int).");
}

} // namespace

void bindXQGPIB32(py::module_& module) {
    py::class_<G> cls(module, "XQGPIB32",
                      "One bench instrument on a GPIB bus, with its panel window. Execute "
                      "opens and identifies it, sends the pending commands and starts "
                      "reading. Failures come back as messages and ErrorStatus.");
    instrumentError() = py::reinterpret_steal<py::object>(
        PyErr_NewExceptionWithDoc("xqtestdev.XQInstrumentError",
                                  "A query that failed: status_text holds the driver's status text "
                                  "and the system's reason, command the command sent.",
                                  PyExc_RuntimeError, nullptr));
    module.add_object("XQInstrumentError", instrumentError());
    cls.def(py::init(&construct<G>))
        .def("Query", &query, py::arg("command"),
             "Writes command (str) and returns the instrument's reply (str, without its line "
             "end), through the same transport, status lines and messages as Execute; the "
             "instrument is opened and identified first when it is not open. A failure sets "
             "ErrorStatus and raises XQInstrumentError, whose status_text holds the driver's "
             "status text and the system's reason.")
        .def("Execute", &G::Execute, ReleasesGil(),
             "Opens and identifies the instrument, sends the pending one-shot commands and "
             "reads: once, or every ReadInterval ms on the panel.")
        .def("ClearAllCommand", &G::ClearAllCommand, ReleasesGil(),
             "Forgets the pending one-shot commands (InitCommand1..5, WriteFromFile).")
        .def("Show", &G::Show, ReleasesGil(), "Shows the instrument's panel.")
        .def("Hide", &G::Hide, ReleasesGil(), "Hides the panel; the reading goes on.")
        .def("Done", &G::Done, ReleasesGil(),
             "Stops the reading, closes the panel and releases the instrument.")
        .def("__repr__",
             [](const G& device) {
                 const QString resource = device.ResourceName();
                 const QString where =
                     resource.isEmpty() ? device.DeviceName().toString() : resource;
                 return QStringLiteral("<XQGPIB32 %1 %2>")
                     .arg(where,
                          resource.isEmpty() ? QStringLiteral("closed") : QStringLiteral("open"));
             })
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
