// The members of XQMenu32 that open and close the library's cabinet.

#include <XQTestDev/XQMenu32.h>

#include "ui/Cabinet.h"

namespace XQTestDev {

void XQMenu32::ShowCabinet() {
    cabinet().showCabinet();
}
void XQMenu32::HideCabinet() {
    cabinet().hideCabinet();
}

} // namespace XQTestDev
