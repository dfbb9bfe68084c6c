"""A station program run with no display and no handlers: each kind of
library window it opens must answer by itself. Run as a separate process by
test_unattended.py: `python3 unattended_script.py <case> <station folder>`."""

import os
import sys
import tempfile

os.environ.setdefault("WinDir", tempfile.mkdtemp(prefix="xq-py-unattended-"))
os.environ.pop("XQ_HEADLESS_WINDOWS", None)
os.environ.pop("DISPLAY", None)
os.environ.pop("WAYLAND_DISPLAY", None)

import xqtestdev as xq  # noqa: E402


def station(folder):
    utility = xq.XQUtility32()
    utility.INIPath = folder
    utility.AppPath = folder
    return utility


def message_box(folder):
    station(folder)
    # Before any user entry the product is missing: a library message box.
    print("limit:", repr(xq.XQMenu32().GetMinSpec("Power", "Reference voltage")))


def info_box(folder):
    utility = station(folder)
    pressed, _ = utility.InfoBox("Is the unit seated in the fixture?", xq.vbYesNo)
    print("answer:", pressed)
    pressed, _ = utility.InfoBox("Scan the serial number", xq.vbOKCancel, True)
    print("typed answer:", pressed)


def user_entry(folder):
    station(folder)
    print("entry:", xq.XQMenu32().ShowUserEntry())


def shared_windows(folder):
    utility = station(folder)
    utility.ShowAbout()
    utility.ShowBigPass()
    print("shared windows: done")


def delay(folder):
    utility = station(folder)
    print("waiting", flush=True)
    try:
        utility.Delay(30)
    except KeyboardInterrupt:
        print("KeyboardInterrupt in Delay", flush=True)


def modal(folder):
    # A real window nobody answers: only Ctrl-C ends it.
    xq.set_headless_windows_driven(True)
    utility = station(folder)
    print("waiting", flush=True)
    try:
        utility.InfoBox("Waiting for the operator", xq.vbOKCancel)
    except KeyboardInterrupt:
        print("KeyboardInterrupt in InfoBox", flush=True)


def run_interrupted(folder):
    utility = station(folder)
    menu = xq.XQMenu32()
    assert menu.EnterUser(operator="OP01", serial_number="SN-INT-1", test_id="FT",
                          model="PSU5V-100A", revision="C",
                          remarks=["FX-01", "1.4.2"]), "entry refused"
    aborted = []
    menu.AbortClick.connect(lambda: aborted.append(True))

    def measure(product):
        menu.SendData("Power", "Reference voltage", 2.501)
        print("waiting", flush=True)
        utility.Delay(30)

    menu.AllTestClick.connect(measure)
    try:
        menu.StartAllTest()
    except KeyboardInterrupt:
        print("KeyboardInterrupt in StartAllTest; AbortClick:", aborted, flush=True)


CASES = {name: function for name, function in globals().items()
         if callable(function) and not name.startswith("_") and name != "station"}

if __name__ == "__main__":
    xq.Application(["unattended"])
    CASES[sys.argv[1]](sys.argv[2])
