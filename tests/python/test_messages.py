"""xq.set_message_handler: the library's real messages reach the Python
handler with their text, title, buttons and icon. (Its answer deciding what
the library does: test_gpib.py, the panel's close question.)"""

import xqtestdev as xq
from xqtestdev import qt


def test_the_handler_sees_a_real_message_with_its_parts(app):
    seen = []

    def handler(text, title, buttons, icon):
        seen.append((text, title, buttons, icon))
        return xq.ResultOK

    xq.set_message_handler(handler)
    try:
        bar = xq.XQLEDBar32()
        bar.ScaleMin, bar.ScaleMax, bar.Min, bar.Max = 0.0, 10.0, 8.0, 6.0
        bar.Show()  # a band that does not fit: a message, nothing shown
    finally:
        xq.set_message_handler(None)
    assert len(seen) == 1
    text, title, buttons, icon = seen[0]
    assert text == "Min value must less than Max value!"
    assert title == xq.Application.applicationName
    assert (buttons, icon) == (xq.MessageButtons.OK, xq.MessageIcon.Exclamation)
    assert qt.visibleWindow("frmLEDBarHor") is None


def test_a_handler_that_raises_counts_as_closing_the_box(app, capsys):
    def handler(text, title, buttons, icon):
        raise ValueError("no operator today")

    xq.set_message_handler(handler)
    try:
        device = xq.XQVirtualDevice32()
        device.Max = 10.0
        device.Min = 20.0  # refused with a message
    finally:
        xq.set_message_handler(None)
    assert device.Min != 20.0
    error = capsys.readouterr().err
    assert "Exception in the message handler" in error
    assert "ValueError: no operator today" in error


def test_without_a_handler_the_real_message_box_shows(app):
    shown = []

    def press_ok():
        box = qt.activeModalWidget()
        shown.append((box.objectName(), box.windowTitle()))
        box.findChild("cmdOK").click()

    xq.set_message_handler(None)
    qt.singleShot(0, press_ok)
    device = xq.XQVirtualDevice32()
    device.Max = 10.0
    device.Min = 20.0
    assert shown == [("XQMessageBox", xq.Application.applicationName)]
