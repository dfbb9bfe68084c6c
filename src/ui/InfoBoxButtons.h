#pragma once

#include <QString>

#include <array>
#include <optional>

namespace XQTestDev {

// The InfoBox shows up to three buttons, numbered 0, 1 and 2 as the control
// array cmdButtonSet. A button set names the caption of each visible button
// and the one that holds the keyboard focus when the dialog opens.
struct InfoBoxButton {
    QString caption; // empty: the button is hidden
    bool visible() const { return !caption.isEmpty(); }
};

struct InfoBoxButtonSet {
    std::array<InfoBoxButton, 3> buttons; // index = control-array index
    int focusButton = 1;
};

constexpr int InfoBoxButtonCount = 3;

// The captions and focus of a vbMyMsgBoxStyle value; nothing for a value
// outside 0..5, which leaves the buttons as the dialog was designed.
std::optional<InfoBoxButtonSet> infoBoxButtonSet(int buttons);

// The buttons as the dialog is designed, before any button set is applied: a
// single "OK", so that an unknown button set still gives the operator a way
// out that answers with a known code.
InfoBoxButtonSet designedInfoBoxButtons();

// The result code answered by a button with this caption ("OK" 1 ... "No" 7);
// nothing for a caption outside the table, which keeps the previous result.
std::optional<int> infoBoxResultForCaption(const QString& caption);

} // namespace XQTestDev
