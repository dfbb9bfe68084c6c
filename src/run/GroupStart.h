#pragma once

namespace XQTestDev {

class GroupWindow;

// A group's Start button: asks first when the window's prompt flag is set,
// resets the group's results ("----|----" under each of its lines and "----" as
// the overall verdict, in one durable write), empties the shown values and
// leaves the group name pending for the header, which starts the group test.
// A failed write shows its error and changes nothing on screen.
void startGroupTest(GroupWindow& window);

} // namespace XQTestDev
