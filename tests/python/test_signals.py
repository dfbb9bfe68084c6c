"""Signals reaching Python callables, connect and disconnect, and a callback
that raises: printed with its traceback, the process goes on."""

import threading
import time

import pytest

import xqtestdev as xq
from xqtestdev import qt


@pytest.fixture
def bar(app, messages):
    bar = xq.XQLEDBar32()
    bar.ScaleMin, bar.ScaleMax, bar.Min, bar.Max = 0.0, 10.0, 4.0, 6.0
    bar.Show(False)
    yield bar
    bar.Done()


def test_a_signal_reaches_a_python_callable_with_its_arguments(bar):
    seen = []
    bar.ValueChanged.connect(lambda value, passed: seen.append((value, passed)))
    bar.SendValue(5.0)
    bar.SendValue(7.5)
    assert seen[-2:] == [(5.0, True), (7.5, False)]
    assert (bar.Value, bar.IsPassed) == (7.5, False)


def test_a_callable_may_take_fewer_arguments_than_the_signal_gives(bar):
    values, calls = [], []
    bar.ValueChanged.connect(lambda value: values.append(value))
    bar.ValueChanged.connect(lambda: calls.append(True))
    bar.SendValue(4.5)
    assert values[-1] == 4.5
    assert calls


def test_disconnect_ends_one_connection_or_all(bar):
    first, second = [], []

    def one(value, passed):
        first.append(value)

    @bar.ValueChanged.connect
    def two(value, passed):
        second.append(value)

    bar.ValueChanged.connect(one)
    assert bar.ValueChanged.disconnect(one)
    assert not bar.ValueChanged.disconnect(one)
    bar.SendValue(5.5)
    assert (first, second[-1]) == ([], 5.5)
    assert bar.ValueChanged.disconnect()
    bar.SendValue(5.7)
    assert second[-1] == 5.5


def test_an_exception_in_a_callback_is_printed_and_the_process_goes_on(bar, capsys):
    after = []

    def faulty(value, passed):
        raise RuntimeError(f"the fixture slipped at {value}")

    bar.ValueChanged.connect(faulty)
    bar.ValueChanged.connect(lambda value, passed: after.append(value))
    bar.SendValue(5.25)
    assert after[-1] == 5.25  # the next handler still ran
    assert bar.Value == 5.25  # and the library finished its call
    error = capsys.readouterr().err
    assert "Exception in a handler of signal ValueChanged" in error
    assert "Traceback (most recent call last)" in error
    assert "in faulty" in error
    assert "RuntimeError: the fixture slipped at 5.25" in error


def test_the_header_signals_reach_python(station, messages):
    from operator_at_station import enter_unit, start_test
    menu = xq.XQMenu32()
    assert enter_unit(menu)
    started = []
    menu.AllTestClick.connect(started.append)
    assert start_test(menu)
    assert started == ["PSU5V-100"]
    menu.StopTest()


def test_a_virtual_device_button_reaches_python(app, messages):
    device = xq.XQVirtualDevice32()
    device.Min, device.Max = 0.0, 50.0
    device.Show()
    device.SendValue(38.4, 1)
    pressed = []
    device.OKClick.connect(lambda value, passed: pressed.append(("OK", value, passed)))
    device.CancelClick.connect(lambda value, passed: pressed.append(("Cancel", value, passed)))
    qt.visibleWindow("frmVirtualDevice").findChild("cmdOK").click()
    assert pressed == [("OK", 38.4, True)]
    device.Done()


def test_python_threads_run_while_the_library_waits(app, messages):
    utility = xq.XQUtility32()
    ticks = []
    stop = threading.Event()

    def count():
        while not stop.is_set():
            ticks.append(1)
            time.sleep(0.005)

    worker = threading.Thread(target=count)
    worker.start()
    utility.Delay(0.3)
    stop.set()
    worker.join()
    assert len(ticks) >= 20


def test_a_timer_callback_runs_inside_a_modal_dialog(app, messages):
    utility = xq.XQUtility32()

    def answer():
        box = qt.activeModalWidget()
        box.findChild("txtInput").setText("SN-0815")
        box.findChild("cmdButtonSet_2").click()  # OK of vbOKCancel

    qt.singleShot(0, answer)
    pressed, typed = utility.InfoBox("Scan the serial number", xq.vbOKCancel, True, "SN-")
    assert (pressed, typed) == (xq.ResultOK, "SN-0815")
