#include "run/ResultColours.h"

#include <QGuiApplication>
#include <QPalette>

namespace XQTestDev {

std::uint32_t colourCode(ValueColour colour) {
    switch (colour) {
    case ValueColour::Black:
        return 0x000000;
    case ValueColour::Red:
        return 0x0000FF;
    case ValueColour::Green:
        return 0x008000;
    case ValueColour::ButtonFace:
        return 0x8000000F;
    }
    return 0;
}

ValueColour colourOf(Verdict verdict) {
    switch (verdict) {
    case Verdict::Fail:
        return ValueColour::Red;
    case Verdict::Testing:
        return ValueColour::Green;
    case Verdict::Pass:
    case Verdict::Untested:
        break;
    }
    return ValueColour::Black;
}

FrameLook frameOf(Verdict verdict) {
    return verdict == Verdict::Testing ? FrameLook::Testing : FrameLook::Result;
}

std::uint32_t frameFillCode(FrameLook look) {
    return look == FrameLook::Testing ? 0x80C0FF : 0xC0E0FF;
}

std::uint32_t frameOutlineCode(FrameLook look) {
    return look == FrameLook::Testing ? 0x0080FF : 0x80C0FF;
}

QColor toQColor(ValueColour colour) {
    if (colour == ValueColour::ButtonFace)
        return QGuiApplication::palette().color(QPalette::Button);
    return colourFromBgr(colourCode(colour));
}

} // namespace XQTestDev
