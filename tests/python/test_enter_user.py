"""EnterUser: the user entry of an automated cell, by the window's rules and
messages, and a cell that tests a batch of units with no window shown."""

import json

import pytest

import xqtestdev as xq
from xqtestdev import qt

from conftest import ADMIN_PASSWORD

@pytest.fixture(autouse=True)
def admin_at_the_prompt():
    """The configuration check asks for the admin password through the
    prompt seam; every other question is answered OK."""
    asked = []

    def answer(text, title, buttons, asks_input, password_char):
        asked.append((text, buttons, asks_input, password_char))
        return (xq.ResultOK, ADMIN_PASSWORD) if asks_input else xq.ResultOK

    xq.set_prompt_handler(answer)
    yield asked
    xq.set_prompt_handler(None)


UNIT = dict(operator="OP01", serial_number="SN-CELL-0001", model="PSU5V-100A", revision="C",
            remarks=["FX-01", "1.4.2"])


@pytest.mark.parametrize("change, message", [
    ({"operator": ""}, "Please be enter the Operator ID!"),
    ({"serial_number": ""}, "Please enter the serial number!"),
    ({"model": ""}, "Please enter the model!"),
    ({"revision": ""}, "Please enter the revision!"),
    ({"remarks": ["FX-01"]}, "Please enter the Firmware!"),
    ({"product": "PSU12V-40"}, "Not found product name!."),
])
def test_a_refused_entry_says_what_the_window_says(station, messages, change, message):
    menu = xq.XQMenu32()
    assert not menu.EnterUser(**{**UNIT, **change})
    assert messages.texts == [message]


def test_an_accepted_entry_fills_the_run_without_a_window(station, messages):
    menu = xq.XQMenu32()
    assert menu.EnterUser(**UNIT, work_order="WO-7")
    assert not [text for text in messages.texts if text.startswith("Please")]
    assert qt.visibleWindow("frmUserEntry") is None
    assert (menu.OperatorID, menu.SerialNumber, menu.TestProduct, menu.Model, menu.Revision,
            menu.TestID, menu.WorkOrderLotNumber) == (
        "OP01", "SN-CELL-0001", "PSU5V-100", "PSU5V-100A", "C", "Production", "WO-7")
    assert menu.StartTime is not None


def test_a_cell_tests_fifty_units_each_recorded(station, messages, results_dir):
    menu = xq.XQMenu32()
    menu.EnableTestPrompt = False

    def measure(product):
        menu.SendData("Power", "Reference voltage", 2.501, False)
        menu.SendData("Output", "Output ripple", 38.4, False)
        menu.StopTest()

    menu.AllTestClick.connect(measure)
    serials = [f"SN-CELL-{n:04d}" for n in range(1, 51)]
    for serial in serials:
        assert menu.EnterUser(**{**UNIT, "serial_number": serial})
        menu.ShowMenu()
        assert menu.StartAllTest()
    assert not [text for text in messages.texts if text.startswith("Invalid")]
    assert qt.visibleWindow("frmUserEntry") is None
    recorded = {json.loads(path.read_text())["serialNumber"]
                for path in results_dir.rglob("*_SN-CELL-*.json")}
    assert set(serials) <= recorded


def test_test_lines_come_in_menu_order_with_their_fields(station, messages):
    lines = xq.XQMenu32().TestLines("PSU5V-100")
    groups = [line["group"] for line in lines]
    assert groups == sorted(groups, key=groups.index)  # each group in one block
    reference = next(line for line in lines if line["parameter"] == "Reference voltage")
    assert (reference["group"], reference["min"]) == ("Power", "2.475")
    assert set(reference) == {"key", "field_name", "group", "parameter", "min", "max", "target",
                              "unit", "custom_flag"}
