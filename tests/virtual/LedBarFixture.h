#pragma once

#include "VirtualFixture.h"

#include <XQTestDev/XQLEDBar32.h>

#include <QSignalSpy>

#include <memory>
#include <vector>

namespace XQTestDev::testing {

// One LED bar per test, scale 0 to 40 (one unit per LED), pass band 10 to 30.
class LedBarTest : public VirtualTest {
protected:
    void SetUp() override;
    void TearDown() override;

    QWidget* window() const { return topLevel(QStringLiteral("frmLEDBarHor")); }
    QLabel* picture(const QString& name) const { return control<QLabel>(window(), name); }
    QLabel* readout() const { return picture(QStringLiteral("lblValue")); }

    // Lit LEDs, from their hidden unlit pictures; -1 when they are not one
    // run from LED 0.
    int litLeds() const;
    // The knob's left edge and the places of its pressed and disabled
    // pictures, in pixels (-1 when they disagree).
    int knobLeftPixels() const;
    // The values ValueChanged reported, in order.
    std::vector<double> reportedValues() const;

    std::unique_ptr<XQLEDBar32> bar;
    std::unique_ptr<QSignalSpy> changes;
};

} // namespace XQTestDev::testing
