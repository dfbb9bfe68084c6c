"""A whole run driven from Python: user entry, Start Test on the header,
SendData, StopTest and the database row in SQLite."""

import json
import pathlib
import sqlite3

import xqtestdev as xq

from operator_at_station import enter_unit, press_start_test


def test_a_whole_run_reaches_the_sqlite_database(station, messages):
    menu = xq.XQMenu32()
    assert enter_unit(menu, serial="SN-PY-0042")
    assert (menu.TestProduct, menu.OperatorID, menu.SerialNumber) == (
        "PSU5V-100", "OP01", "SN-PY-0042")
    assert menu.StartTime is not None

    menu.EnableTestPrompt = False
    menu.ShowMenu()
    verdicts = {}

    def measure(product):
        assert product == "PSU5V-100"
        assert menu.GetMinSpec("Power", "Reference voltage") == "2.475"
        verdicts["VREF"] = menu.SendData("Power", "Reference voltage", 2.501)
        verdicts["RIPPLE"] = menu.SendData("Output", "Output ripple", 62)
        verdicts["FW_VER"] = menu.SendData("Functional", "Firmware version", "1.4.2")

    menu.AllTestClick.connect(measure)
    press_start_test()
    assert verdicts == {"VREF": True, "RIPPLE": False, "FW_VER": True}
    menu.StopTest()

    # The record every output renders, found from the program.
    last = menu.LastRunRecord()
    assert last["verdict"] == "FAIL" and not last["aborted"]
    record = json.loads(pathlib.Path(last["path"]).read_text())
    assert record["serialNumber"] == "SN-PY-0042"
    assert (record["verdict"], record["untested"]) == (last["verdict"], last["untested"])
    assert last["untested"] > 0  # only three lines were measured

    database = station / "results.db"
    xq.XQSQL32().WriteDatabase("PSU5V-100", "Py 1.0", xq.msAccess, str(database))
    utility = xq.XQUtility32()
    assert utility.ReadINI(True, "PSU5V-100 Test Results", "LastAccessDatabase") == "PASS"
    with sqlite3.connect(database) as connection:
        row = connection.execute(
            "SELECT SerialNumber, Operator, TestSoftwareRev, VREF, RIPPLE, IIN_IDLE "
            "FROM PSU5V100").fetchone()
    # A line never measured is stored as untested.
    assert row == ("SN-PY-0042", "OP01", "Py 1.0", 2.501, 62.0, 999.999)
