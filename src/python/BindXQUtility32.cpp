#include "Binding.h"

#include "Interrupts.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQUtility32.h>

namespace XQTestDev::python {

namespace {

// InfoBox's MsgReturn is an in-and-out parameter: its initial text goes in,
// and the typed text comes back beside the pressed button.
py::tuple infoBox(XQUtility32& utility, const QString& message, vbMyMsgBoxStyle buttons,
                  bool showInputBox, const QVariant& initialText, bool lockInputBox,
                  Positions position, bool noModal, const QString& passwordChar) {
    QVariant typed = initialText;
    int pressed = 0;
    {
        py::gil_scoped_release released;
        pressed = utility.InfoBox(message, buttons, showInputBox, &typed, lockInputBox, position,
                                  noModal, passwordChar);
    }
    raisePendingError(); // from the prompt handler: Ctrl-C
    return py::make_tuple(pressed, toPython(typed.toString()));
}

} // namespace

void bindXQUtility32(py::module_& module) {
    py::class_<XQUtility32> cls(
        module, "XQUtility32",
        "Station configuration files, the InfoBox dialog and the library's shared windows. "
        "Every XQUtility32 shares one library-wide state: INIPath set on one is set for all.");
    cls.def(py::init(&construct<XQUtility32>))
        .def("GetDLLVersion", &XQUtility32::GetDLLVersion, "The library's version text.")
        .def("ReadINI", &XQUtility32::ReadINI, py::arg("From_ATE_INI"), py::arg("strSectionName"),
             py::arg("strKeyName"), ReleasesGil(),
             "One value of ATE.INI (From_ATE_INI=True) or PRODUCTS.INI; empty when missing.")
        .def("WriteINI", &XQUtility32::WriteINI, py::arg("To_ATE_INI"), py::arg("strSectionName"),
             py::arg("strKeyName"), py::arg("strValue"), ReleasesGil(),
             "Writes one value into ATE.INI (To_ATE_INI=True) or PRODUCTS.INI.")
        .def("GetINIVersion", &XQUtility32::GetINIVersion, py::arg("ProductName") = QString(),
             ReleasesGil(), "The version of ATE.INI, or of the product's definition.")
        .def("OpenINI", &XQUtility32::OpenINI, py::arg("Open_ATE_INI"), ReleasesGil(),
             "Opens ATE.INI or PRODUCTS.INI in the editor window (modal).")
        .def("UpdateINI", &XQUtility32::UpdateINI, py::arg("NewINIPath") = QString(), ReleasesGil(),
             "Updates the INI files from NewINIPath (empty: the update folder).")
        .def("InfoBox", &infoBox, py::arg("PicturePathOrMessage") = QString(),
             py::arg("Buttons") = vbOKOnly, py::arg("ShowInputBox") = false,
             py::arg("MsgReturn") = QVariant(), py::arg("LockInputBox") = false,
             py::arg("Position") = Center, py::arg("NoModal") = false,
             py::arg("PasswordChar") = QString(),
             "Shows the library's message dialog and waits for a button. Returns a tuple "
             "(pressed, MsgReturn): the pressed button's code (1 OK, 2 Cancel, 3 Abort, "
             "4 Retry, 5 Ignore, 6 Yes, 7 No; 0 when NoModal and no input box) and the text "
             "typed into the input box (empty without one). MsgReturn passed in is the input "
             "box's initial text.")
        .def("Delay", &XQUtility32::Delay, py::arg("Second"), ReleasesGil(),
             "Waits the given seconds while windows, timers and Python threads keep running.")
        .def("SendStatusMessage", &XQUtility32::SendStatusMessage, py::arg("Message"),
             py::arg("LineNumber") = 0, py::arg("ClearAllMessage") = false, ReleasesGil(),
             "Writes line 0 to 3 of the status message window.")
        .def("ShowBackground", &XQUtility32::ShowBackground, ReleasesGil(),
             "Shows the full-screen background behind the station's windows.")
        .def("HideBackground", &XQUtility32::HideBackground, ReleasesGil())
        .def("ShowAbout", &XQUtility32::ShowAbout, ReleasesGil(), "The About box (modal).")
        .def("ShowBigPass", &XQUtility32::ShowBigPass, ReleasesGil(),
             "The big PASS at the end of a run (modal).")
        .def("ShowBigFail", &XQUtility32::ShowBigFail, ReleasesGil(),
             "The big FAIL at the end of a run (modal).");
    addProperty(cls, "INIPath", &XQUtility32::INIPath, &XQUtility32::setINIPath,
                "The folder of ATE.INI and PRODUCTS.INI (str).");
    addProperty(cls, "AppPath", &XQUtility32::AppPath, &XQUtility32::setAppPath,
                "Where pictures such as the customer logo are looked up (str).");
    addProperty(cls, "AdminPassword", &XQUtility32::AdminPassword, &XQUtility32::setAdminPassword,
                "The admin password guarding changed configuration files; in memory only, "
                "fewer than 5 characters are refused (str).");
    addProperty(cls, "BackgroundColor", &XQUtility32::BackgroundColor,
                &XQUtility32::setBackgroundColor, "The background's colour as 0x00BBGGRR (int).");
    addSignals(cls);
}

} // namespace XQTestDev::python
