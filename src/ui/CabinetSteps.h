#pragma once

#include <vector>

namespace XQTestDev {

// A window's place in twips while it is animated; sizes may run below zero
// on the last step of a shrink and are shown as zero.
struct TwipGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipGeometry&, const TwipGeometry&) = default;
};

// Putting away and bringing back take this many steps.
inline constexpr int AnimationSteps = 30;

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4), as the cabinet's step sizes are rounded.
int roundHalfEven(double value);

// The 30 places of a window shrinking to its centre from `start`.
std::vector<TwipGeometry> collapseSteps(const TwipGeometry& start);

// The 30 places of a window growing from `start` (its current place, usually
// zero-sized) towards a size of `width` x `height`, keeping its centre.
std::vector<TwipGeometry> expandSteps(const TwipGeometry& start, int width, int height);

// Where a shown window starts to grow from: its centre, with no size.
TwipGeometry centreOf(const TwipGeometry& shown);

} // namespace XQTestDev
