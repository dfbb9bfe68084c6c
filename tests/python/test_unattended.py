"""Unattended runs: with no display and no handlers nothing waits; Ctrl-C
ends every wait and raises KeyboardInterrupt; a handler's exception ends the
run as aborted and reaches the station program."""

import json
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import time

import pytest

import xqtestdev as xq

from conftest import ADMIN_PASSWORD, SAMPLE_STATION

SCRIPT = pathlib.Path(__file__).with_name("unattended_script.py")


def run_script(case, folder, timeout=20):
    return subprocess.run([sys.executable, str(SCRIPT), case, str(folder)],
                          capture_output=True, text=True, timeout=timeout)


@pytest.fixture
def station_copy(tmp_path):
    folder = tmp_path / "station"
    shutil.copytree(SAMPLE_STATION, folder)
    return folder


@pytest.mark.parametrize("case, said, printed", [
    ("message_box", "Message box [Exclamation] (no display): Missing product name!", "limit: ''"),
    ("info_box", "InfoBox (no display): Is the unit seated in the fixture? -> No",
     "answer: 7"),
    ("info_box", "InfoBox (no display): Scan the serial number -> Cancel", "typed answer: 2"),
    ("user_entry", "User entry (no display)", "entry: False"),
    ("shared_windows", "About (no display)", "shared windows: done"),
])
def test_every_window_answers_by_itself_headless(station_copy, case, said, printed):
    started = time.monotonic()
    result = run_script(case, station_copy)
    assert result.returncode == 0, result.stderr
    assert time.monotonic() - started < 15
    assert said in result.stderr
    assert printed in result.stdout


def interrupt_when_waiting(case, folder):
    process = subprocess.Popen([sys.executable, str(SCRIPT), case, str(folder)],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    try:
        assert process.stdout.readline().strip() == "waiting"
        time.sleep(0.3)  # inside the wait
        sent = time.monotonic()
        process.send_signal(signal.SIGINT)
        line = process.stdout.readline().strip()
        took = time.monotonic() - sent
        out, err = process.communicate(timeout=10)
    finally:
        process.kill()
    return line, took, err


@pytest.mark.parametrize("case, expected", [
    ("delay", "KeyboardInterrupt in Delay"),
    ("modal", "KeyboardInterrupt in InfoBox"),
])
def test_ctrl_c_ends_the_wait_within_a_second(station_copy, case, expected):
    line, took, err = interrupt_when_waiting(case, station_copy)
    assert line == expected, err
    assert took < 1.0


def test_ctrl_c_during_a_run_aborts_it(station_copy):
    line, took, err = interrupt_when_waiting("run_interrupted", station_copy)
    assert line == "KeyboardInterrupt in StartAllTest; AbortClick: [True]", err
    assert "Run aborted: Interrupted (Ctrl-C)" in err


def last_record(results_dir, serial):
    found = sorted(results_dir.rglob(f"*_{serial}_*.json"))
    assert found, f"no record of {serial}"
    return json.loads(found[-1].read_text())


def test_an_exception_in_a_handler_aborts_the_run_and_is_raised(station, messages, results_dir,
                                                               capfd):
    xq.set_prompt_handler(lambda text, title, buttons, asks_input, char: (xq.ResultOK, ADMIN_PASSWORD))
    menu = xq.XQMenu32()
    assert menu.EnterUser(operator="OP01", serial_number="SN-PY-EXC", model="PSU5V-100A",
                          revision="C", remarks=["FX-01", "1.4.2"])
    menu.ShowMenu()
    aborted = []
    menu.AbortClick.connect(lambda: aborted.append(True))

    def measure(product):
        menu.SendData("Power", "Reference voltage", 2.501)
        raise RuntimeError("the fixture did not close")

    menu.AllTestClick.connect(measure)
    with pytest.raises(RuntimeError, match="the fixture did not close"):
        menu.StartAllTest()
    assert aborted == [True]
    record = last_record(results_dir, "SN-PY-EXC")
    assert record["aborted"] is True
    err = capfd.readouterr().err
    assert "Run aborted: RuntimeError: the fixture did not close" in err
    assert "Traceback" in err
    # The header is idle again: the next unit starts.
    menu.AllTestClick.disconnect(measure)
    assert menu.StartAllTest()
    menu.StopTest()
    xq.set_prompt_handler(None)
