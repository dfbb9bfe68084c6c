// The members of XQUtility32 that work the shared windows: the status
// message window, the background, the About box, the big verdict and Delay.

#include <XQTestDev/XQUtility32.h>

#include "frame/EventPause.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/Placement.h"
#include "frame/Unattended.h"
#include "ui/AboutWindow.h"
#include "ui/Background.h"
#include "ui/BigResultWindow.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

namespace XQTestDev {

namespace {

void showBigResult(const QString& resultText) {
    BigResultWindow window(resultText);
    placeWindow(window, Center);
    execUnlessUnattended(window, QStringLiteral("Big ") + resultText);
}

} // namespace

void XQUtility32::Delay(double Second) {
    letEventsRunFor(Second);
}

void XQUtility32::SendStatusMessage(const QString& Message, int LineNumber, bool ClearAllMessage) {
    if (LineNumber < 0 || LineNumber >= StatusWindow::LineCount) {
        showExclamation(QStringLiteral("Invalid Line Number!"));
        return;
    }
    StatusWindow& window = statusWindow();
    if (ClearAllMessage)
        window.clearLines();
    window.setLine(LineNumber, Message);
    if (!library().statusHide && !library().onTopSuspended)
        window.bringToFrontIfShown();
}

void XQUtility32::ShowBackground() {
    showBackground();
}
void XQUtility32::HideBackground() {
    hideBackground();
}
int XQUtility32::BackgroundColor() const {
    return library().backgroundColor;
}
void XQUtility32::setBackgroundColor(int color) {
    library().backgroundColor = color;
}

void XQUtility32::ShowAbout() {
    AboutWindow window(GetDLLVersion());
    placeWindow(window, Center);
    execUnlessUnattended(window, QStringLiteral("About"));
}

void XQUtility32::ShowBigPass() {
    showBigResult(QStringLiteral("PASS"));
}
void XQUtility32::ShowBigFail() {
    showBigResult(QStringLiteral("FAIL"));
}

} // namespace XQTestDev
