#!/usr/bin/env python3
"""SendData of a 498-line run from Python beside the same calls from C++
(xqbench), and a property read from each side, in one process on one run.

    PYTHONPATH=build/python:build/bench/python python3 bench/python/bench_python.py

The goal for SendData is within 1.2x of C++: the durable write of the
results file dominates. Prints the figures; never fails on timing.
"""

import os
import pathlib
import statistics
import sys
import tempfile
import time

STATION = pathlib.Path(tempfile.mkdtemp(prefix="xq-py-bench-"))
os.environ.setdefault("WinDir", str(STATION))
os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
# The benchmark fills the user entry window itself, as a test does.
os.environ.setdefault("XQ_HEADLESS_WINDOWS", "driven")

import xqtestdev as xq  # noqa: E402
from xqtestdev import qt  # noqa: E402

import xqbench  # noqa: E402

LINES = 498
ROUNDS = 5
READS = 200_000


def write_station():
    (STATION / "ATE.INI").write_bytes(
        b"[ATE Configuration]\r\nID=ATE-BENCH\r\nTestID=Production\r\n"
        b"TestProduct=PSU498\r\nTestProductDefault=PSU498\r\nTestIDDefault=Production\r\n"
        b"[History]\r\nVersion=1\r\n")
    spec = "".join(f"{n}=F{n},4.75,5.25,5.00,V,Group {(n - 1) // 10},Parameter {n},\r\n"
                   for n in range(1, LINES + 1))
    (STATION / "PRODUCTS.INI").write_bytes(
        ("[PSU498]\r\nModel=M1\r\nRevision=A\r\nVersion=1\r\nTableName=PSU498\r\n"
         f"[PSU498 Spec]\r\n{spec}{LINES + 1}=<EOT>,,,,,,,\r\n[History]\r\nVersion=1\r\n")
        .encode())


def fill_user_entry():
    entry = qt.visibleWindow("frmUserEntry")
    if entry is None:
        qt.singleShot(20, fill_user_entry)
        return
    entry.findChild("txtOperatorID").setText("OP01")
    entry.findChild("txtUUTSerialNumber").setText("SN-BENCH")
    entry.findChild("txtWorkOrderNumber").setText("WO-1")
    qt.singleShot(0, lambda: entry.findChild("cmdOK").click())


def lines(round_number):
    # Every line once; a few fail, and the values change from round to round
    # so that every call writes.
    return [(f"Group {(n - 1) // 10}", f"Parameter {n}",
             (5.3 if n % 50 == 0 else 5.0) + round_number * 1e-4)
            for n in range(1, LINES + 1)]


def python_send_data(menu, batch):
    start = time.perf_counter()
    for group, parameter, value in batch:
        menu.SendData(group, parameter, value)
    return time.perf_counter() - start


def python_read_model(menu, times):
    start = time.perf_counter()
    for _ in range(times):
        menu.Model
    return time.perf_counter() - start


def main():
    app = xq.Application(sys.argv)
    xq.set_message_handler(lambda text, *rest: print("  message:", text) or xq.ResultOK)
    write_station()
    utility = xq.XQUtility32()
    utility.INIPath = str(STATION)
    menu = xq.XQMenu32()
    menu.EnableTestPrompt = False
    qt.singleShot(0, fill_user_entry)
    if not menu.ShowUserEntry():
        print("the user entry was not accepted")
        return 1
    menu.ShowMenu()

    python_runs, cpp_runs = [], []
    python_send_data(menu, lines(0))  # warms the files and windows
    for round_number in range(1, ROUNDS + 1):
        python_runs.append(python_send_data(menu, lines(2 * round_number)))
        cpp_runs.append(xqbench.send_data(menu, lines(2 * round_number + 1)))
    python_ms = statistics.median(python_runs) * 1e3
    cpp_ms = statistics.median(cpp_runs) * 1e3
    print(f"SendData x {LINES} from Python: {python_ms:8.1f} ms (median of {ROUNDS})")
    print(f"SendData x {LINES} from C++:    {cpp_ms:8.1f} ms (median of {ROUNDS})")
    print(f"  Python / C++ = {python_ms / cpp_ms:.3f} (goal <= 1.2)")

    python_reads = min(python_read_model(menu, READS) for _ in range(3))
    cpp_reads = min(xqbench.read_model(menu, READS) for _ in range(3))
    print(f"Model read from Python: {python_reads / READS * 1e9:8.1f} ns")
    print(f"Model read from C++:    {cpp_reads / READS * 1e9:8.1f} ns")
    print(f"  Python / C++ = {python_reads / cpp_reads:.1f}")
    menu.StopTest()
    xq.set_message_handler(None)
    return 0


if __name__ == "__main__":
    sys.exit(main())
