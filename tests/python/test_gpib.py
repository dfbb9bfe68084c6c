"""XQGPIB32 from Python on the project's simulated bus: the scan's list, a
reading reaching a Python handler, the GIL released while an instrument
times out, and the message seam answering the panel's close question."""

import os
import pathlib
import shutil
import threading
import time

import pytest

import xqtestdev as xq
from xqtestdev import qt

SIM_LIBRARY = os.environ.get("XQ_GPIB_SIM_LIBRARY", "")
pytestmark = pytest.mark.skipif(not pathlib.Path(SIM_LIBRARY).is_file(),
                                reason="XQ_GPIB_SIM_LIBRARY names no simulated bus")


@pytest.fixture(autouse=True)
def simulated_bus(tmp_path):
    from conftest import SAMPLE_STATION
    bus = tmp_path / "bench.gpib"
    shutil.copy(SAMPLE_STATION / "bench.gpib", bus)
    with bus.open("a") as text:
        text.write("\n[device SLOW]\naddress = 12\nidn = SLOW CO,S-1,1,1\n"
                   "query MEAS? = number 1.0\ndelay = 150\n")
    os.environ["XQ_GPIB_LIBRARY"] = SIM_LIBRARY
    os.environ["XQ_GPIB_SIM_BUS"] = str(bus)


def test_scan_devices_returns_the_list_it_fills(messages):
    found = xq.XQGPIB32().ScanDevices()
    assert found == [
        "ORVANTA INSTRUMENTS,PS-2030,SN001208,2.10,ADDRESS 5",
        "ORVANTA INSTRUMENTS,EL-150,SN000031,0.9,ADDRESS 9",
        "SLOW CO,S-1,1,1,ADDRESS 12",
        "ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04,ADDRESS 22",
    ]


def test_a_reading_reaches_a_python_handler(messages):
    dmm = xq.XQGPIB32()
    readings = []
    dmm.ValueChanged.connect(lambda value, raw: readings.append((value, raw)))
    dmm.DeviceName = "DMM"
    dmm.ReadCommand = "MEAS:VOLT:DC?"
    dmm.Unit = "V"
    dmm.Execute()
    assert not dmm.ErrorStatus, messages.texts
    assert len(readings) == 1
    value, raw = readings[0]
    assert value == pytest.approx(5.012, abs=0.005)
    assert value == dmm.Value
    assert raw.strip() == dmm.RawValue.strip()
    assert dmm.BrandName == "ORVANTA INSTRUMENTS"
    dmm.Done()


def test_python_threads_run_while_an_instrument_is_slow_to_answer(messages):
    load = xq.XQGPIB32()
    load.DeviceName = 12
    load.ReadCommand = "MEAS?"
    ticks = []
    stop = threading.Event()

    def count():
        while not stop.is_set():
            ticks.append(time.perf_counter())
            time.sleep(0.005)

    worker = threading.Thread(target=count)
    started = time.perf_counter()
    worker.start()
    load.Execute()
    waited = time.perf_counter() - started
    stop.set()
    worker.join()
    assert load.Value == 1.0
    assert waited >= 0.3  # two replies of 150 ms each
    # The thread kept counting while Execute waited for the reply.
    assert len([t for t in ticks if t < started + waited]) >= 20
    load.Done()


@pytest.mark.parametrize("answer, still_shown", [(xq.ResultNo, True), (xq.ResultYes, False)])
def test_the_message_handler_answers_the_panels_close_question(messages, answer, still_shown):
    supply = xq.XQGPIB32()
    supply.DeviceName = 5
    supply.ReadCommand = "MEAS:CURR?"
    supply.Execute()
    panel = qt.visibleWindow("frmPanelDevice")
    assert panel is not None
    messages.answers.append(answer)
    panel.close()
    assert messages.messages[-1][2:] == (xq.MessageButtons.YesNo, xq.MessageIcon.Question)
    assert messages.texts[-1].startswith("Are you sure to close the ")
    assert panel.isVisible() == still_shown
    supply.Done()


def test_query_returns_the_reply_or_raises_with_the_status(messages):
    dmm = xq.XQGPIB32()
    dmm.DeviceName = 22
    assert dmm.Query("*IDN?") == "ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04"
    assert not dmm.ErrorStatus
    assert repr(dmm) == "<XQGPIB32 GPIB0::22::INSTR open>"

    absent = xq.XQGPIB32()
    absent.DeviceName = 27  # nobody listens there
    absent.TimeOut = xq.T100ms
    absent.DisableErrMessage = True
    with pytest.raises(xq.XQInstrumentError) as raised:
        absent.Query("MEAS?")
    assert absent.ErrorStatus
    assert raised.value.command == "MEAS?"
    assert "Error detected" in raised.value.status_text
