#!/usr/bin/env python3
"""The demo station in Python: the same flow as the C++ demo, headless.

A copy of examples/station is the station folder; the unit's data come from
EnterUser, as in an automated cell, and the message boxes are answered
through the message seam, so the script runs without a screen:

    PYTHONPATH=build/python QT_QPA_PLATFORM=offscreen python3 examples/python/demo_station.py

With XQ_GPIB_LIBRARY and XQ_GPIB_SIM_BUS set (as scripts/run-demo.sh sets
them), the output voltage is read from the simulated bus's multimeter.
"""

import os
import pathlib
import shutil
import sqlite3
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
STATION_SOURCE = HERE.parent / "station"

# The library fixes its results folder when its first object is made.
RESULTS = pathlib.Path(tempfile.mkdtemp(prefix="xq-py-demo-"))
os.environ.setdefault("WinDir", str(RESULTS))
os.environ.setdefault("XQ_REPORT_PDF", "1")
if not os.environ.get("DISPLAY") and not os.environ.get("WAYLAND_DISPLAY"):
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

import xqtestdev as xq  # noqa: E402

SERIAL = "SN-PY-DEMO-0001"


def answer(text: str, title: str, buttons: xq.MessageButtons,
           icon: xq.MessageIcon) -> int:
    """The operator at the message boxes: reads each aloud and says yes."""
    print(f"  message: {text}")
    return xq.ResultYes if buttons == xq.MessageButtons.YesNo else xq.ResultOK


def output_voltage() -> float:
    """The multimeter of the bench when a GPIB driver is there, else a
    reading typed in as the operator would."""
    if not os.environ.get("XQ_GPIB_LIBRARY"):
        return 5.012
    dmm = xq.XQGPIB32()
    dmm.DeviceName = 22
    dmm.ReadCommand = "MEAS:VOLT:DC?"
    dmm.PanelHide = True
    dmm.DisableErrMessage = True
    dmm.Execute()
    value = dmm.Value
    dmm.Done()
    return 5.012 if dmm.ErrorStatus else value


def main() -> int:
    app = xq.Application(sys.argv)
    xq.set_message_handler(answer)

    station = RESULTS / "station"
    shutil.copytree(STATION_SOURCE, station)
    utility = xq.XQUtility32()
    utility.INIPath = str(station)
    utility.AppPath = str(station)
    print("Station:", utility.ReadINI(True, "ATE Configuration", "ID"))

    menu = xq.XQMenu32()
    # An automated cell: the unit's data come from the script, not a window.
    if not menu.EnterUser(operator="OP01", serial_number=SERIAL, work_order="WO-4410",
                          model="PSU5V-100A", revision="C", remarks=["FX-01", "1.4.2"]):
        print("The user entry was refused.")
        return 1
    print(f"Unit {menu.SerialNumber} of {menu.TestProduct}, operator {menu.OperatorID}")

    menu.EnableTestPrompt = False
    menu.ShowMenu()

    def measure(product: str) -> None:
        menu.SendData("Power", "Reference voltage", 2.501)
        menu.SendData("Output", "Output voltage no load", output_voltage())
        menu.SendData("Output", "Output ripple", 38.4)
        menu.SendData("Functional", "Firmware version", "1.4.2")
        menu.StopTest()

    menu.AllTestClick.connect(measure)
    menu.AbortClick.connect(lambda: menu.StopTest())
    menu.StartAllTest()
    # The header's clock writes the overall verdict into the results file.
    utility.Delay(1)

    database = station / "demo-python.db"
    xq.XQSQL32().WriteDatabase(menu.TestProduct, "Py Demo 1.0", xq.msAccess, str(database))
    stored = utility.ReadINI(True, menu.TestProduct + " Test Results", "LastAccessDatabase")
    with sqlite3.connect(database) as connection:
        verdict, = connection.execute(
            "SELECT PassFail FROM PSU5V100 WHERE SerialNumber = ?", (SERIAL,)).fetchone()
    print(f"Database write: {stored}; the unit's verdict in its row: {verdict}")

    xq.XQReport32().PrintReport("Py Demo 1.0")
    print("Report written in", RESULTS)
    xq.set_message_handler(None)
    return 0


if __name__ == "__main__":
    sys.exit(main())
