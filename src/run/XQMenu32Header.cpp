// The members of XQMenu32 that place the header and read what it shows, and
// the header's share of ShowMenu, HideMenu, SendData and StopTest.

#include "run/XQMenu32Header.h"

#include <XQTestDev/XQMenu32.h>

#include "frame/LibraryState.h"
#include "run/HeaderControl.h"
#include "run/HeaderModel.h"
#include "run/MenuScale.h"
#include "run/RunReset.h"
#include "run/RunSession.h"
#include "run/UntestedLines.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

void showHeaderWithMenu(XQMenu32Private& d) {
    HeaderControl& header = *d.header;
    // One header goes with the group windows: another menu's, shown before,
    // would start runs that are not this menu's.
    RunSession& session = runSession();
    if (session.shownHeader && session.shownHeader != &header)
        session.shownHeader->close();
    session.shownHeader = &header;
    header.setGroupStartsDisabled(d.disableGroupTestButton);
    const bool active = runModel().standing.active;
    header.setStartEnabled(!active);
    if (active)
        header.setExitMeansAbort(true);
    header.showAt(runSession().menuXOffset);
    header.showPages();
    header.window().focusStartTest();
}

bool resetRunAndHeader(XQMenu32Private& d) {
    if (!resetRunWithoutRebuild())
        return false;
    d.header->close();
    return true;
}

void endRunInHeader(XQMenu32Private& d) {
    d.header->setGroupStartsDisabled(d.disableGroupTestButton);
    d.header->showRunEnded(true);
    d.header->window().showUntestedLines(untestedLinesText(untestedLineCount(runModel())));
}

void applyMenuScale(XQMenu32Private& d) {
    RunSession& session = runSession();
    session.menuScale = configuredMenuScale();
    HeaderWindow& header = d.header->window();
    header.setScale(session.menuScale);
    if (d.menuPositionSet)
        session.menuXOffset =
            menuXOffsetFor(d.menuPosition, library().screenWidth, header.scaledWidth());
}

void showPageInHeader(XQMenu32Private& d) {
    d.header->showPages();
}

MenuPositions XQMenu32::MenuPosition() const {
    return d->menuPosition;
}

void XQMenu32::setMenuPosition(MenuPositions position) {
    d->menuPosition = position;
    d->menuPositionSet = true;
    int& offset = runSession().menuXOffset;
    offset = menuXOffsetFor(position, library().screenWidth, d->header->window().scaledWidth());
    d->header->placeAt(offset);
}

void XQMenu32::HidePassFail() {
    d->header->setPassFailHidden(true);
}
void XQMenu32::ShowPassFail() {
    d->header->setPassFailHidden(false);
}

QTime XQMenu32::HPU() const {
    return d->header->elapsed();
}

} // namespace XQTestDev
