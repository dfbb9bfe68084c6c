#pragma once

#include <QString>

namespace XQTestDev {

// Where the cabinet opens, in twips.
struct CabinetPlace {
    int left = 0;
    int top = 0;
};

// The place kept by the settings store as text: a value that is no number
// counts as 0, and when both are 0 the cabinet opens at top 4890, left 12465.
CabinetPlace cabinetPlaceFrom(const QString& savedLeft, const QString& savedTop);

// The saved place (settings "Orvanta"/"XQTestDev", group "SaveConfig", keys
// "CabinetLocX" and "CabinetLocY"); a store that cannot be read gives the
// default place.
CabinetPlace savedCabinetPlace();

// Keeps the cabinet's place for the next run; a store that cannot be written
// is ignored.
void saveCabinetPlace(int left, int top);

} // namespace XQTestDev
