#include "Binding.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQLEDBar32.h>

namespace XQTestDev::python {

namespace {

using L = XQLEDBar32;

void addLook(py::class_<L>& cls) {
    addProperty(cls, "DigitColorPass", &L::DigitColorPass, &L::setDigitColorPass,
                "0x00BBGGRR (int); green until set.");
    addProperty(cls, "DigitColorFail", &L::DigitColorFail, &L::setDigitColorFail,
                "0x00BBGGRR (int); red until set.");
    addProperty(cls, "Position", &L::Position, &L::setPosition,
                "Where Show puts the window (Positions); 0 uses Top and Left.");
    addProperty(cls, "Top", &L::Top, &L::setTop, "Twips; setting it sets Position to 0.");
    addProperty(cls, "Left", &L::Left, &L::setLeft, "Twips; setting it sets Position to 0.");
    addReadOnlyProperty(cls, "Height", &L::Height, "The LED bar window's height in twips (int).");
    addReadOnlyProperty(cls, "Width", &L::Width, "The LED bar window's width in twips (int).");
    addProperty(cls, "DecimalPoint", &L::DecimalPoint, &L::setDecimalPoint,
                "Decimals of the readout (int).");
    addProperty(cls, "Suffix", &L::Suffix, &L::setSuffix, "Unit text after the value (str).");
    addProperty(cls, "AlwaysOnTop", &L::AlwaysOnTop, &L::setAlwaysOnTop,
                "Whether the window stays above other windows (bool).");
    addProperty(cls, "CabReference", &L::CabReference, &L::setCabReference,
                "The window's name on its cabinet shelf (str).");
}

void addScale(py::class_<L>& cls) {
    addProperty(cls, "Min", &L::Min, &L::setMin, "Pass band, lower (float); Show checks it.");
    addProperty(cls, "Max", &L::Max, &L::setMax, "Pass band, upper (float).");
    addProperty(cls, "ScaleMin", &L::ScaleMin, &L::setScaleMin,
                "The value at the bar's left end (float).");
    addProperty(cls, "ScaleMax", &L::ScaleMax, &L::setScaleMax,
                "The value at the bar's right end (float).");
    addProperty(cls, "PreciseStep", &L::PreciseStep, &L::setPreciseStep,
                "The step of one arrow press when not 0 and not above one LED's worth (float).");
    addReadOnlyProperty(cls, "Value", &L::Value, "Last reported by ValueChanged (float).");
    addReadOnlyProperty(cls, "IsPassed", &L::IsPassed, "Last reported by ValueChanged (bool).");
}

} // namespace

void bindXQLEDBar32(py::module_& module) {
    py::class_<L> cls(module, "XQLEDBar32",
                      "A virtual instrument shown as a bar of 40 LEDs with a readout; every "
                      "change of the shown value raises ValueChanged(Value, IsPassed).");
    cls.def(py::init(&construct<L>))
        .def("Show", &L::Show, py::arg("AllowAdjust") = true, ReleasesGil(),
             "Checks the settings (a message and nothing shown when they do not fit) and "
             "shows the bar; AllowAdjust lets the operator move the value.")
        .def("Hide", &L::Hide, ReleasesGil(), "Hides the window at once, without the cabinet.")
        .def("SendValue", &L::SendValue, py::arg("Value"), ReleasesGil())
        .def("Done", &L::Done, ReleasesGil(), "Closes the window for good.");
    addLook(cls);
    addScale(cls);
    addSignals(cls);
}

} // namespace XQTestDev::python
