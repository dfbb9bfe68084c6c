#include "virtual/DeviceLimits.h"

#include <cmath>

namespace XQTestDev {

bool DeviceLimits::setMin(double value) {
    if (std::isnan(value) || value > max_)
        return false;
    min_ = value;
    return true;
}

bool DeviceLimits::setMax(double value) {
    if (std::isnan(value) || value < min_)
        return false;
    max_ = value;
    return true;
}

bool DeviceLimits::passes(double value) const {
    if (std::isnan(value))
        return false;
    if (minSet() && value < min_)
        return false;
    if (maxSet() && value > max_)
        return false;
    return true;
}

DeviceVerdict judgeValue(const DeviceLimits& limits, double value, const VerdictColours& colours) {
    const int colour = colours.colourFor(limits.passes(value));
    return {colour, colour == colours.pass};
}

} // namespace XQTestDev
