#pragma once

#include <cstdint>
#include <vector>

namespace XQTestDev::dashboard {

// The Western Electric rules a point of an individuals chart breaks, as bits
// (bit 0 for rule 1 ... bit 3 for rule 4). A point breaks a rule when it
// completes the pattern:
//   1  it lies beyond 3 sigma;
//   2  it lies beyond 2 sigma and so does one more of the 3 points ending
//      with it, on the same side;
//   3  it lies beyond 1 sigma and so do three more of the 5 points ending
//      with it, on the same side;
//   4  it and the 7 points before it all lie on the same side of the centre.
// At the start of the chart the windows of rules 2 and 3 hold the points so
// far. "Beyond" is strictly beyond; a point on the centre line is on no side.
using RuleBreaks = std::uint8_t;

inline constexpr int WesternElectricRules = 4;

// The breaks of each value, in the values' (time) order. Nothing breaks
// when sigma is not a positive finite number.
std::vector<RuleBreaks> westernElectricBreaks(const std::vector<double>& values, double centre,
                                              double sigma);

// The rules' numbers (1..4) in a value's breaks.
std::vector<int> rulesOf(RuleBreaks breaks);

} // namespace XQTestDev::dashboard
