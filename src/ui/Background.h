#pragma once

namespace XQTestDev {

class BackgroundWindow;

// The library-wide full-screen background (ShowBackground, HideBackground and
// the menus that toggle it).

// Loads the background when needed, paints it in the library's background
// colour, starts sending it to the back and shows it.
void showBackground();

// Clears the shown flag and unloads the background.
void hideBackground();

// Hides a shown background, else shows it.
void toggleBackground();

// The loaded background window, or nullptr.
BackgroundWindow* loadedBackground();

} // namespace XQTestDev
