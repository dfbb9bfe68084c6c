"""An operator at the station, played through the real widgets: fills and
accepts the user entry and types the admin password into every prompt of the
configuration check."""

import xqtestdev as xq
from xqtestdev import qt

from conftest import ADMIN_PASSWORD


def when_window_shows(name, action, tries=250):
    """Runs action(window) once the window is shown; armed before the call
    that opens it, whose event loop runs the timer."""

    def look(left):
        window = qt.visibleWindow(name)
        if window is not None:
            action(window)
        elif left > 0:
            qt.singleShot(20, lambda: look(left - 1))

    qt.singleShot(0, lambda: look(tries))


def press(window, button):
    window.findChild(button).click()


class UserEntryOperator:
    """While it is at the station: answers the admin password prompts (the
    configuration check asks once per process, at whichever call comes first:
    the user entry or a start) and fills the user entry once, then presses OK
    from a timer of its own (OK opens the prompts in a nested event loop,
    where the polling must go on). Used as a context manager around any call
    that may open those windows."""

    def __init__(self, serial="SN-PY-0001"):
        self.serial = serial
        self.filled = 0
        self.pressing = False
        self.timer = qt.QTimer()
        self.timer.timeout.connect(self.look)
        self.timer.start(20)

    def stop(self):
        self.timer.stop()

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.stop()

    def look(self):
        prompt = qt.visibleWindow("frmGeneralInfoBox")
        if prompt is not None:
            field = prompt.findChild("txtInput")
            if field is not None and field.isVisible():
                field.setText(ADMIN_PASSWORD)
                press(prompt, "cmdButtonSet_2")
            return
        entry = qt.visibleWindow("frmUserEntry")
        if entry is None or self.pressing or self.filled >= 3:
            return
        self.filled += 1
        self.fill(entry)
        self.pressing = True

        def accept():
            press(entry, "cmdOK")
            self.pressing = False

        qt.singleShot(0, accept)

    def fill(self, entry):
        entry.findChild("txtOperatorID").setText("OP01")
        entry.findChild("txtUUTSerialNumber").setText(self.serial)
        entry.findChild("txtWorkOrderNumber").setText("WO-4410")
        for name in ("cboTestID", "cboModel", "cboRevision"):
            box = entry.findChild(name)
            if box.isEnabled() and not box.text() and box.count() > 0:
                box.setCurrentIndex(0)
        for row, remark in enumerate(("FX-01", "1.4.2")):
            field = entry.findChild(f"txtRemark_{row}")
            if field is not None and field.isVisible():
                field.setText(remark)


def enter_unit(menu, serial="SN-PY-0001"):
    with UserEntryOperator(serial):
        return menu.ShowUserEntry()


def start_test(menu):
    """Start Test through the library's own call, with the admin at hand for
    the configuration check."""
    with UserEntryOperator():
        return menu.StartAllTest()


def press_start_test():
    """Presses Start Test on the header, with the admin at hand."""
    with UserEntryOperator():
        press(qt.visibleWindow("frmHeaderMenu"), "cmdStartTest")
