#include "Binding.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQVirtualDevice32.h>

namespace XQTestDev::python {

namespace {

using V = XQVirtualDevice32;

void addLook(py::class_<V>& cls) {
    addProperty(cls, "DigitColorPass", &V::DigitColorPass, &V::setDigitColorPass,
                "0x00BBGGRR (int); green until set.");
    addProperty(cls, "DigitColorFail", &V::DigitColorFail, &V::setDigitColorFail,
                "0x00BBGGRR (int); red until set.");
    addProperty(cls, "Position", &V::Position, &V::setPosition,
                "Where Show puts the panel (Positions); 0 uses Top and Left.");
    addProperty(cls, "Top", &V::Top, &V::setTop, "Twips; setting it sets Position to 0.");
    addProperty(cls, "Left", &V::Left, &V::setLeft, "Twips; setting it sets Position to 0.");
    addReadOnlyProperty(cls, "Height", &V::Height,
                        "The virtual device window's height in twips (int).");
    addReadOnlyProperty(cls, "Width", &V::Width,
                        "The virtual device window's width in twips (int).");
    addProperty(cls, "Suffix", &V::Suffix, &V::setSuffix, "Unit text after the value (str).");
    addProperty(cls, "AlwaysOnTop", &V::AlwaysOnTop, &V::setAlwaysOnTop,
                "Whether the window stays above other windows (bool).");
    addProperty(cls, "Caption", &V::Caption, &V::setCaption, "The panel's message line (str).");
    addProperty(cls, "CabReference", &V::CabReference, &V::setCabReference,
                "The panel's name on its cabinet shelf (str).");
}

void addBand(py::class_<V>& cls) {
    addProperty(cls, "Min", &V::Min, &V::setMin,
                "Lower limit (float; -1e308 none). A limit crossing the other is refused with "
                "a message.");
    addProperty(cls, "Max", &V::Max, &V::setMax, "Upper limit (float; 1e308 none).");
    addReadOnlyProperty(cls, "Value", &V::Value, "The last value sent (float).");
    addReadOnlyProperty(cls, "IsPassed", &V::IsPassed, "Whether it passed (bool).");
}

} // namespace

void bindXQVirtualDevice32(py::module_& module) {
    py::class_<V> cls(module, "XQVirtualDevice32",
                      "A virtual instrument: a panel shows the value sent to it, coloured by "
                      "Min and Max, and the operator confirms it with OK or rejects it with "
                      "Cancel (signals OKClick and CancelClick).");
    cls.def(py::init(&construct<V>))
        .def("Show", &V::Show, ReleasesGil())
        .def("Hide", &V::Hide, ReleasesGil(), "Hides the panel at once, without the cabinet.")
        .def("SendValue", &V::SendValue, py::arg("Value"), py::arg("DecimalPoint") = 2,
             ReleasesGil(), "Shows a new value with DecimalPoint decimals.")
        .def("Done", &V::Done, ReleasesGil(), "Closes the panel for good.");
    addLook(cls);
    addBand(cls);
    addSignals(cls);
}

} // namespace XQTestDev::python
