#pragma once

#include <QString>

namespace XQTestDev {

// How much larger than designed the test menu is drawn: `MenuScale` of
// [ATE Configuration] in ATE.INI. "1" (and an empty or unreadable value) keeps
// the designed size; a factor such as "1.5" scales the header, the group
// windows and their fonts alike; "Auto" picks the factor that fits the
// screen. Every window keeps its position rules, in the scaled sizes.
struct MenuScaleSetting {
    bool automatic = false;
    double factor = 1;
};
MenuScaleSetting parseMenuScale(const QString& text);

inline constexpr double SmallestMenuScale = 0.5;
inline constexpr double LargestMenuScale = 4;

// The factor "Auto" picks on a usable screen of the given size (twips): the
// header with a group window of the designed height under it fill the
// screen's height, and the header is no wider than the screen. Never below 1:
// a small screen keeps the designed layout, which pages.
double automaticMenuScale(int usableWidth, int usableHeight, int rowLimit);

// The factor for the station as ATE.INI sets it now, on the screen measured
// at start-up.
double configuredMenuScale();

} // namespace XQTestDev
