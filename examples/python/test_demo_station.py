"""The demo station's program tested with the xqtestdev.testing plugin: no
instruments, no operator, every run recorded.

    PYTHONPATH=build/python python3 -m pytest -p xqtestdev.testing \\
        -o xq_station_template=examples/station -o xq_admin_password=bench-admin \\
        examples/python/test_demo_station.py
"""

from __future__ import annotations

import os
import pathlib
import shutil
from typing import Any

import pytest

import xqtestdev as xq

UNIT: dict[str, Any] = dict(operator="OP01", model="PSU5V-100A", revision="C",
                            remarks=["FX-01", "1.4.2"])


def test_a_unit_runs_and_is_recorded(station: pathlib.Path, operator: Any,
                                     records: Any) -> None:
    records.allow_untested()  # the demo measures four of the product's lines
    menu = xq.XQMenu32()
    menu.EnableTestPrompt = False

    def measure(product: str) -> None:
        menu.SendData("Power", "Reference voltage", 2.501)
        menu.SendData("Output", "Output ripple", 38.4)
        menu.StopTest()

    menu.AllTestClick.connect(measure)
    assert menu.EnterUser(serial_number="SN-CI-0001", **UNIT)
    menu.ShowMenu()
    assert menu.StartAllTest()
    runs = records.runs()
    assert [run["serialNumber"] for run in runs] == ["SN-CI-0001"]
    assert runs[0]["aborted"] is False


def test_a_refused_entry_is_a_message_the_test_expects(station: pathlib.Path,
                                                       operator: Any) -> None:
    operator.expect("Please enter the serial number!")
    assert not xq.XQMenu32().EnterUser(serial_number="", **UNIT)


def read_once(device_name: str | int, command: str) -> float:
    """One reading of an instrument of the bench, its panel hidden."""
    meter = xq.XQGPIB32()
    meter.DeviceName = device_name
    meter.ReadCommand = command
    meter.PanelHide = True
    meter.DisableErrMessage = True
    meter.Execute()
    value = meter.Value
    failed = meter.ErrorStatus
    meter.Done()
    assert not failed, f"{device_name} {command} failed"
    return float(value)


def test_the_bench_instruments_answer_on_gpib_and_the_lan(station: pathlib.Path,
                                                           bench: pathlib.Path,
                                                           operator: Any) -> None:
    # The bench file's multimeter on GPIB address 22 and its LAN twin,
    # served on loopback by xq-sim-lan for the length of the test.
    assert abs(read_once(22, "MEAS:VOLT:DC?") - 5.012) < 0.01
    if not os.environ.get("XQ_SIM_LAN") and not shutil.which("xq-sim-lan"):
        pytest.skip("xq-sim-lan is not at hand: no LAN instruments")
    assert abs(read_once("TCPIP::127.0.0.50::5025::SOCKET", "MEAS:CURR:DC?") - 0.248) < 0.003
