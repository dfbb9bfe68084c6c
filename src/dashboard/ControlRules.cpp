#include "ControlRules.h"

#include <cmath>
#include <cstddef>

namespace XQTestDev::dashboard {

namespace {

// How many of the `window` points ending at `last` (fewer at the start) lie
// beyond `zones` sigma on the side `side` (+1 above, -1 below).
int beyondInWindow(const std::vector<double>& z, std::size_t last, std::size_t window, double zones,
                   int side) {
    int count = 0;
    for (std::size_t i = last + 1 > window ? last + 1 - window : 0; i <= last; ++i) {
        if (side * z[i] > zones)
            ++count;
    }
    return count;
}

// The point completes "`needed` of `window` beyond `zones` sigma on one
// side" only when it is itself one of them. The first points of the chart
// complete it as soon as enough of them lie beyond: the window they start
// holds those already, whatever follows.
bool completes(const std::vector<double>& z, std::size_t last, std::size_t window, int needed,
               double zones) {
    for (const int side : {1, -1}) {
        if (side * z[last] > zones && beyondInWindow(z, last, window, zones, side) >= needed)
            return true;
    }
    return false;
}

bool runOnOneSide(const std::vector<double>& z, std::size_t last, std::size_t length) {
    if (last + 1 < length)
        return false;
    for (const int side : {1, -1}) {
        if (beyondInWindow(z, last, length, 0.0, side) == static_cast<int>(length))
            return true;
    }
    return false;
}

} // namespace

std::vector<RuleBreaks> westernElectricBreaks(const std::vector<double>& values, double centre,
                                              double sigma) {
    std::vector<RuleBreaks> breaks(values.size(), 0);
    if (!std::isfinite(sigma) || !(sigma > 0) || !std::isfinite(centre))
        return breaks;
    // Each value in sigmas from the centre line.
    std::vector<double> z;
    z.reserve(values.size());
    for (const double value : values)
        z.push_back((value - centre) / sigma);
    for (std::size_t i = 0; i < z.size(); ++i) {
        RuleBreaks b = 0;
        if (std::fabs(z[i]) > 3.0)
            b |= 1u << 0;
        if (completes(z, i, 3, 2, 2.0))
            b |= 1u << 1;
        if (completes(z, i, 5, 4, 1.0))
            b |= 1u << 2;
        if (runOnOneSide(z, i, 8))
            b |= 1u << 3;
        breaks[i] = b;
    }
    return breaks;
}

std::vector<int> rulesOf(RuleBreaks breaks) {
    std::vector<int> rules;
    for (int rule = 1; rule <= WesternElectricRules; ++rule) {
        if (breaks & (1u << (rule - 1)))
            rules.push_back(rule);
    }
    return rules;
}

} // namespace XQTestDev::dashboard
