#pragma once

namespace XQTestDev {

class XQMenu32;
class XQMenu32Private;

// The header's share of the menu object's members that live elsewhere.

// Creates the header window of a new menu object and routes its actions.
void createHeader(XQMenu32& menu, XQMenu32Private& d);
// ShowMenu, both ways: the header shows the run's state, its page display
// and stands at the top of the screen with the focus on Start Test.
void showHeaderWithMenu(XQMenu32Private& d);
// The run reset closes the header with the group windows; false when there
// was nothing to reset.
bool resetRunAndHeader(XQMenu32Private& d);
// StopTest: the header returns to idle.
void endRunInHeader(XQMenu32Private& d);
// Before the menu is built: MenuScale of ATE.INI scales the header, and the
// menu's place follows its new width.
void applyMenuScale(XQMenu32Private& d);
// SendData turned the page: the page display follows.
void showPageInHeader(XQMenu32Private& d);

} // namespace XQTestDev
