// The public enumerations. Their members are also module attributes
// (xq.vbOKCancel), as they are names of the C++ namespace; an int is
// accepted wherever an enumeration is, as C++ accepts any value of the
// enumeration's type (0 for "stored position").

#include "Binding.h"

#include <XQTestDev/Enums.h>

namespace XQTestDev::python {

namespace {

template <typename Enum> py::enum_<Enum> enumeration(py::module_& module, const char* name) {
    py::enum_<Enum> bound(module, name, py::arithmetic());
    py::implicitly_convertible<int, Enum>();
    return bound;
}

} // namespace

void bindEnums(py::module_& module) {
    enumeration<Positions>(module, "Positions")
        .value("Center", Center)
        .value("CenterUp", CenterUp)
        .value("CenterLeft", CenterLeft)
        .value("CenterRight", CenterRight)
        .value("LeftUp", LeftUp)
        .value("RightUp", RightUp)
        .value("CenterDown", CenterDown)
        .value("LeftDown", LeftDown)
        .value("RightDown", RightDown)
        .export_values();
    enumeration<vbMyMsgBoxStyle>(module, "vbMyMsgBoxStyle")
        .value("vbOKOnly", vbOKOnly)
        .value("vbOKCancel", vbOKCancel)
        .value("vbAbortRetryIgnore", vbAbortRetryIgnore)
        .value("vbYesNoCancel", vbYesNoCancel)
        .value("vbYesNo", vbYesNo)
        .value("vbRetryCancel", vbRetryCancel)
        .export_values();
    enumeration<MenuPositions>(module, "MenuPositions")
        .value("MenuCenter", MenuCenter)
        .value("MenuLeft", MenuLeft)
        .value("MenuRight", MenuRight)
        .export_values();
    enumeration<DBType>(module, "DBType")
        .value("msAccess", msAccess)
        .value("msSQLServer", msSQLServer)
        .export_values();
    auto boards = enumeration<GPIB_BoardNumber>(module, "GPIB_BoardNumber");
    for (int board = GPIB0; board <= GPIB9; ++board)
        boards.value(("GPIB" + std::to_string(board)).c_str(),
                     static_cast<GPIB_BoardNumber>(board));
    boards.export_values();
    enumeration<GPIB_TimeOut>(module, "GPIB_TimeOut")
        .value("TNONE", TNONE)
        .value("T10us", T10us)
        .value("T30us", T30us)
        .value("T100us", T100us)
        .value("T300us", T300us)
        .value("T1ms", T1ms)
        .value("T3ms", T3ms)
        .value("T10ms", T10ms)
        .value("T30ms", T30ms)
        .value("T100ms", T100ms)
        .value("T300ms", T300ms)
        .value("T1s", T1s)
        .value("T3s", T3s)
        .value("T10s", T10s)
        .value("T30s", T30s)
        .value("T100s", T100s)
        .value("T300s", T300s)
        .value("T1000s", T1000s)
        .export_values();
}

} // namespace XQTestDev::python
